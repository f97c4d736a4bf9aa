
// Cathedral nave: a stone back wall with a pointed stained-glass window, two pillars and a stack of glass plates.
struct FillParams {
    volW: i32,
    volH: i32,
    volD: i32,
    time: f32,
}
@group(0) @binding(2) var<uniform> fill: FillParams;

const STONE = vec3f(0.25, 0.22, 0.20);
const PILLAR_STONE = vec3f(0.30, 0.27, 0.24);

@compute @workgroup_size(FILL_GROUP_SIZE, FILL_GROUP_SIZE, FILL_GROUP_SIZE)
fn main(@builtin(global_invocation_id) id: vec3u) {
    let c = fillInit(id);
    if (!c.inside || writeCellEdge(c)) {
        return;
    }
    let ipos = c.ipos;
    let p = c.p;
    let fx = c.fx;
    let fy = c.fy;

    if (c.fz > 1.0 - constants.wallThickness) {
        let vx = (fx - 0.5) * 2.5;
        let vy = (fy - 0.35) * 2.0;
        let halfWidth = 0.8 - 0.5 * vy * vy;  // narrows towards the pointed top
        if (vy > -0.6 && vy < 1.0 && abs(vx) < halfWidth) {
            let angle = atan2(vy, vx);
            let rad = length(vec2f(vx, vy));
            let ring = 0.5 + 0.5 * sin(8.0 * rad);
            let sector = 0.5 + 0.5 * sin(3.0 * angle);
            let pattern = 0.5 * ring + 0.5 * sector;
            let hue = 0.5 * angle + 2.0 * rad + fill.time;
            var glass = vec3f(0.3 + 0.7 * max(0.0, cos(hue)), 0.3 + 0.7 * max(0.0, cos(hue + 2.094)),
                              0.3 + 0.7 * max(0.0, cos(hue + 4.189)));
            // Lead came between the panes: dimmed, but still glowing a little.
            let grid = max(abs(sin(12.0 * vx)), abs(sin(10.0 * vy)));
            let lead = select(1.0, 0.15, grid > 0.85);
            glass *= lead;
            writeVoxel(ipos, sVoxel(glass.r, glass.g, glass.b, 1.0, lead * (8.0 + 4.0 * pattern), 1.0));
            return;
        }
        writeVoxel(ipos, sVoxel(STONE.r, STONE.g, STONE.b, 1.0, 0.0, 1.0));
        return;
    }

    writeVoxel(ipos, sVoxelDefault());

    let dressedStone = sVoxel(PILLAR_STONE.r, PILLAR_STONE.g, PILLAR_STONE.b, 1.0, 0.0, 1.0);
    addCylinder(ipos, p, 0.25, 0.5, 0.04, 0.0, 1.0, dressedStone);
    addCylinder(ipos, p, 0.75, 0.5, 0.04, 0.0, 1.0, dressedStone);

    let t = 1.5 / f32(fill.volW);  // plate thickness: one voxel and a half
    let z0 = 0.65;
    let border = 2.0 / f32(fill.volW);
    let frameHalf = 0.15 + border;
    let dx = abs(p.x - 0.5);
    let dy = abs(p.y - 0.15);
    let inFrameZ = p.z > z0 - 8.0 * 2.0 * t && p.z < z0 + t;
    let inOuter = dx < frameHalf && dy < frameHalf;
    let inInner = dx < 0.15 && dy < 0.15;
    if (inOuter && inFrameZ && !inInner) {
        writeVoxel(ipos, dressedStone);
        return;
    }

    // Nested plates standing on the floor, shrinking towards the back wall; the nearest one wins.
    var s = 0.30;
    for (var i = 0; i < 8; i++) {
        let h = f32(i) / 8.0;
        let centre = vec3f(0.5, s * 0.5, z0 - 2.0 * t * f32(i));
        let d = abs(p - centre);
        if (d.x < s * 0.5 && d.y < s * 0.5 && d.z < t * 0.5) {
            writeVoxel(ipos, sVoxel(0.7 + 0.3 * sin(6.283 * h), 0.7 + 0.3 * sin(6.283 * h + 2.094),
                                    0.7 + 0.3 * sin(6.283 * h + 4.189), 0.08, 0.0, 0.0));
            return;
        }
        s *= 0.92;
    }
}
