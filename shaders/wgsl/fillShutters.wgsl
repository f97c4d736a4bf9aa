
// Shuttered room: three windows whose shutters roll up in turn onto glowing panes, a white cube and a fog cube.
struct FillParams {
    volW: i32,
    volH: i32,
    volD: i32,
    time: f32,
}
@group(0) @binding(2) var<uniform> fill: FillParams;

const WIN_TOP = 0.93;
const WIN_BOTTOM = 0.93 - 0.6 * 0.92;
const WIN_MIN = 0.2;
const WIN_MAX = 0.8;
const OPEN_SEC = 4.0;

// How far a shutter has rolled up, eased; 0 before its start time.
fn openness(startSec: f32) -> f32 {
    let o = clamp((fill.time - startSec) / OPEN_SEC, 0.0, 1.0);
    return o * o * (3.0 - 2.0 * o);
}

// One window on a wall layer: shutter above openY, pane below it; the pane wins on the openY row.
fn addWindow(ipos: vec3i, p: vec3f, axis: i32, layer: i32, o: f32, paneColour: vec3f) {
    let openY = WIN_BOTTOM + o * (WIN_TOP - WIN_BOTTOM);
    let shutter = sVoxel(0.15, 0.15, 0.17, 1.0, 0.0, 0.4);
    let pane = sVoxel(paneColour.r, paneColour.g, paneColour.b, 1.0, 16.0 * o, 1.0);
    if (axis == 0) {
        addPlane(ipos, p, fill.volW, fill.volH, fill.volD, 0, layer, shutter, openY, WIN_TOP, WIN_MIN, WIN_MAX);
        addPlane(ipos, p, fill.volW, fill.volH, fill.volD, 0, layer, pane, WIN_BOTTOM, openY, WIN_MIN, WIN_MAX);
    } else {
        addPlane(ipos, p, fill.volW, fill.volH, fill.volD, 2, layer, shutter, WIN_MIN, WIN_MAX, openY, WIN_TOP);
        addPlane(ipos, p, fill.volW, fill.volH, fill.volD, 2, layer, pane, WIN_MIN, WIN_MAX, WIN_BOTTOM, openY);
    }
}

@compute @workgroup_size(FILL_GROUP_SIZE, FILL_GROUP_SIZE, FILL_GROUP_SIZE)
fn main(@builtin(global_invocation_id) id: vec3u) {
    let c = fillInit(id);
    if (!c.inside) {
        return;
    }
    let ipos = c.ipos;
    let p = c.p;
    writeVoxel(ipos, sVoxelDefault());
    if (writeCellEdge(c)) {
        return;
    }

    // Dark for 2 s, then left, right and back open 4 s each, one after the other.
    if (ipos.x == 0) {
        addWindow(ipos, p, 0, 0, openness(2.0), vec3f(0.15, 0.75, 0.10));
        return;
    }
    if (ipos.x == fill.volW - 1) {
        addWindow(ipos, p, 0, fill.volW - 1, openness(6.0), vec3f(0.10, 0.15, 0.75));
        return;
    }
    if (ipos.z == fill.volD - 1) {
        addWindow(ipos, p, 2, fill.volD - 1, openness(10.0), vec3f(0.75, 0.10, 0.15));
        return;
    }

    if (addBoxRotated(ipos, p, 0.5, 0.13, 0.5, 0.12, 0.12, 0.12, 0.0, 0.7854, 0.0,
                      sVoxel(0.9, 0.9, 0.88, 1.0, 0.0, 0.5))) {
        return;
    }

    // Thin fog cube with dark edges, hovering above the white one.
    let d = abs(p - vec3f(0.5, 0.35, 0.5));
    let fogHalf = 0.09;
    if (all(d < vec3f(fogHalf))) {
        let edgeLimit = fogHalf - 1.0 / f32(fill.volW);
        let outerAxes = i32(d.x > edgeLimit) + i32(d.y > edgeLimit) + i32(d.z > edgeLimit);
        if (outerAxes >= 2) {
            writeVoxel(ipos, sVoxel(0.2, 0.2, 0.2, 1.0, 0.0, 0.5));
        } else {
            writeVoxel(ipos, sVoxel(0.95, 0.95, 0.95, 0.02, 0.0, 1.0));
        }
    }
}
