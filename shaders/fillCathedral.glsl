

layout(local_size_x = FILL_GROUP_SIZE, local_size_y = FILL_GROUP_SIZE, local_size_z = FILL_GROUP_SIZE) in;

// Cathedral nave: a stone back wall with a pointed stained-glass window, two pillars and a stack of glass plates.
uniform int volW;
uniform int volH;
uniform int volD;
uniform float time;

const vec3 STONE = vec3(0.25, 0.22, 0.20);
const vec3 PILLAR_STONE = vec3(0.30, 0.27, 0.24);

void main()
{
    FILL_INIT
    WRITE_EDGE_WIREFRAME

    if (fz > 1.0 - wallThickness) {
        float vx = (fx - 0.5) * 2.5;
        float vy = (fy - 0.35) * 2.0;
        float halfWidth = 0.8 - 0.5 * vy * vy;  // narrows towards the pointed top
        if (vy > -0.6 && vy < 1.0 && abs(vx) < halfWidth) {
            float angle = atan(vy, vx);
            float rad = length(vec2(vx, vy));
            float ring = 0.5 + 0.5 * sin(8.0 * rad);
            float sector = 0.5 + 0.5 * sin(3.0 * angle);
            float pattern = 0.5 * ring + 0.5 * sector;
            float hue = 0.5 * angle + 2.0 * rad + time;
            vec3 glass = vec3(0.3 + 0.7 * max(0.0, cos(hue)), 0.3 + 0.7 * max(0.0, cos(hue + 2.094)),
                              0.3 + 0.7 * max(0.0, cos(hue + 4.189)));
            // Lead came between the panes: dimmed, but still glowing a little.
            float grid = max(abs(sin(12.0 * vx)), abs(sin(10.0 * vy)));
            float lead = grid > 0.85 ? 0.15 : 1.0;
            glass *= lead;
            writeVoxel(ipos, sVoxel(glass.r, glass.g, glass.b, 1.0, lead * (8.0 + 4.0 * pattern), 1.0));
            return;
        }
        writeVoxel(ipos, sVoxel(STONE.r, STONE.g, STONE.b, 1.0, 0.0, 1.0));
        return;
    }

    writeVoxel(ipos, sVoxelDefault());

    sVoxel dressedStone = sVoxel(PILLAR_STONE.r, PILLAR_STONE.g, PILLAR_STONE.b, 1.0, 0.0, 1.0);
    addCylinder(ipos, p, 0.25, 0.5, 0.04, 0.0, 1.0, dressedStone);
    addCylinder(ipos, p, 0.75, 0.5, 0.04, 0.0, 1.0, dressedStone);

    float t = 1.5 / float(volW);  // plate thickness: one voxel and a half
    float z0 = 0.65;
    float border = 2.0 / float(volW);
    float frameHalf = 0.15 + border;
    float dx = abs(p.x - 0.5);
    float dy = abs(p.y - 0.15);
    bool inFrameZ = p.z > z0 - 8.0 * 2.0 * t && p.z < z0 + t;
    bool inOuter = dx < frameHalf && dy < frameHalf;
    bool inInner = dx < 0.15 && dy < 0.15;
    if (inOuter && inFrameZ && !inInner) {
        writeVoxel(ipos, dressedStone);
        return;
    }

    // Nested plates standing on the floor, shrinking towards the back wall; the nearest one wins.
    float s = 0.30;
    for (int i = 0; i < 8; ++i) {
        float h = float(i) / 8.0;
        vec3 c = vec3(0.5, s * 0.5, z0 - 2.0 * t * float(i));
        vec3 d = abs(p - c);
        if (d.x < s * 0.5 && d.y < s * 0.5 && d.z < t * 0.5) {
            writeVoxel(ipos, sVoxel(0.7 + 0.3 * sin(6.283 * h), 0.7 + 0.3 * sin(6.283 * h + 2.094),
                                    0.7 + 0.3 * sin(6.283 * h + 4.189), 0.08, 0.0, 0.0));
            return;
        }
        s *= 0.92;
    }
}
