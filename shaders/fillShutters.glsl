

layout(local_size_x = FILL_GROUP_SIZE, local_size_y = FILL_GROUP_SIZE, local_size_z = FILL_GROUP_SIZE) in;

// Shuttered room: three windows whose shutters roll up in turn onto glowing panes, a white cube and a fog cube.
uniform int volW;
uniform int volH;
uniform int volD;
uniform float time;

const float WIN_TOP = 0.93;
const float WIN_BOTTOM = 0.93 - 0.6 * 0.92;
const float WIN_MIN = 0.2;
const float WIN_MAX = 0.8;
const float OPEN_SEC = 4.0;

// How far a shutter has rolled up, eased; 0 before its start time.
float openness(float startSec)
{
    float o = clamp((time - startSec) / OPEN_SEC, 0.0, 1.0);
    return o * o * (3.0 - 2.0 * o);
}

// One window on a wall layer: shutter above openY, pane below it; the pane wins on the openY row.
void addWindow(ivec3 ipos, vec3 p, int axis, int layer, float o, vec3 paneColour)
{
    float openY = WIN_BOTTOM + o * (WIN_TOP - WIN_BOTTOM);
    sVoxel shutter = sVoxel(0.15, 0.15, 0.17, 1.0, 0.0, 0.4);
    sVoxel pane = sVoxel(paneColour.r, paneColour.g, paneColour.b, 1.0, 16.0 * o, 1.0);
    if (axis == 0) {
        addPlane(ipos, p, volW, volH, volD, 0, layer, shutter, openY, WIN_TOP, WIN_MIN, WIN_MAX);
        addPlane(ipos, p, volW, volH, volD, 0, layer, pane, WIN_BOTTOM, openY, WIN_MIN, WIN_MAX);
    } else {
        addPlane(ipos, p, volW, volH, volD, 2, layer, shutter, WIN_MIN, WIN_MAX, openY, WIN_TOP);
        addPlane(ipos, p, volW, volH, volD, 2, layer, pane, WIN_MIN, WIN_MAX, WIN_BOTTOM, openY);
    }
}

void main()
{
    FILL_INIT
    writeVoxel(ipos, sVoxelDefault());
    WRITE_EDGE_WIREFRAME

    // Dark for 2 s, then left, right and back open 4 s each, one after the other.
    if (x == 0) {
        addWindow(ipos, p, 0, 0, openness(2.0), vec3(0.15, 0.75, 0.10));
        return;
    }
    if (x == volW - 1) {
        addWindow(ipos, p, 0, volW - 1, openness(6.0), vec3(0.10, 0.15, 0.75));
        return;
    }
    if (z == volD - 1) {
        addWindow(ipos, p, 2, volD - 1, openness(10.0), vec3(0.75, 0.10, 0.15));
        return;
    }

    if (addBoxRotated(ipos, p, 0.5, 0.13, 0.5, 0.12, 0.12, 0.12, 0.0, 0.7854, 0.0, sVoxel(0.9, 0.9, 0.88, 1.0, 0.0, 0.5)))
        return;

    // Thin fog cube with dark edges, hovering above the white one.
    vec3 d = abs(p - vec3(0.5, 0.35, 0.5));
    const float fogHalf = 0.09;
    if (all(lessThan(d, vec3(fogHalf)))) {
        float edgeLimit = fogHalf - 1.0 / float(volW);
        int outerAxes = int(d.x > edgeLimit) + int(d.y > edgeLimit) + int(d.z > edgeLimit);
        if (outerAxes >= 2)
            writeVoxel(ipos, sVoxel(0.2, 0.2, 0.2, 1.0, 0.0, 0.5));
        else
            writeVoxel(ipos, sVoxel(0.95, 0.95, 0.95, 0.02, 0.0, 1.0));
    }
}
