
// Cornell box contents: grey ceiling with a square light, two white boxes turned about y.
// The red, green and grey walls themselves are the virtual walls around the cube.
struct FillParams {
    volW: i32,
    volH: i32,
    volD: i32,
    time: f32,
    lightIntensity: f32,
}
@group(0) @binding(2) var<uniform> fill: FillParams;

@compute @workgroup_size(FILL_GROUP_SIZE, FILL_GROUP_SIZE, FILL_GROUP_SIZE)
fn main(@builtin(global_invocation_id) id: vec3u) {
    let c = fillInit(id);
    if (!c.inside || writeCellEdge(c)) {
        return;
    }
    let ipos = c.ipos;
    let p = c.p;
    writeVoxel(ipos, sVoxelDefault());

    addPlane(ipos, p, fill.volW, fill.volH, fill.volD, 1, fill.volH - 1, sVoxel(0.76, 0.76, 0.76, 1.0, 0.0, 1.0),
             0.0, 1.0, 0.0, 1.0);
    let L = fill.lightIntensity;
    addPlane(ipos, p, fill.volW, fill.volH, fill.volD, 1, fill.volH - 1, sVoxel(L, L, 0.95 * L, 1.0, 2.0 * L, 1.0),
             0.3, 0.7, 0.3, 0.7);

    let white = sVoxel(0.73, 0.73, 0.73, 1.0, 0.0, 1.0);
    addRotatedBoxY(ipos, p, 0.65, 0.275, 0.35, 0.13, 0.275, 0.13, 17.0, white);
    addRotatedBoxY(ipos, p, 0.35, 0.14, 0.65, 0.13, 0.14, 0.13, -15.0, white);
}
