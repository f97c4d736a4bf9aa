// Fill-shader library, after the Constants piece: the volume images, voxel writes and simple primitives.
// The scene body declares `fill`, a FillParams with volW, volH, volD and time first, and calls fillInit.

@group(0) @binding(0) var volumeImg: texture_storage_3d<rgba16float, write>;
// rg16float is no storage format in WebGPU; rgba16float keeps both halves at the same precision.
@group(0) @binding(1) var emissRoughImg: texture_storage_3d<rgba16float, write>;

struct sVoxel {
    r: f32,
    g: f32,
    b: f32,
    a: f32,
    emissivity: f32,
    roughness: f32,
}

// The cell an invocation fills and its centre in the unit cube; inside is false beyond the volume.
struct sFillCell {
    inside: bool,
    ipos: vec3i,
    fx: f32,
    fy: f32,
    fz: f32,
    p: vec3f,
}

fn fillInit(id: vec3u) -> sFillCell {
    var c: sFillCell;
    c.ipos = vec3i(id);
    c.inside = c.ipos.x < fill.volW && c.ipos.y < fill.volH && c.ipos.z < fill.volD;
    c.fx = (f32(c.ipos.x) + 0.5) / f32(fill.volW);
    c.fy = (f32(c.ipos.y) + 0.5) / f32(fill.volH);
    c.fz = (f32(c.ipos.z) + 0.5) / f32(fill.volD);
    c.p = vec3f(c.fx, c.fy, c.fz);
    return c;
}

fn sVoxelDefault() -> sVoxel {
    return sVoxel(0.0, 0.0, 0.0, 0.0, 0.0, 1.0);
}

fn volWrite(pos: vec3i, colour: vec4f) {
    textureStore(volumeImg, pos, colour);
}

fn writeEmissRough(pos: vec3i, e: f32, r: f32) {
    textureStore(emissRoughImg, pos, vec4f(e, r, 0.0, 0.0));
}

fn writeVoxel(pos: vec3i, v: sVoxel) {
    volWrite(pos, vec4f(v.r, v.g, v.b, v.a));
    writeEmissRough(pos, v.emissivity, v.roughness);
}

fn addPlane(ipos: vec3i, p: vec3f, w: i32, h: i32, d: i32, axis: i32, pos: i32, src: sVoxel,
            minU: f32, maxU: f32, minV: f32, maxV: f32) {
    var inside: bool;
    if (axis == 1) {
        inside = ipos.y == pos && p.x >= minU && p.x <= maxU && p.z >= minV && p.z <= maxV;
    } else if (axis == 0) {
        inside = ipos.x == pos && p.y >= minU && p.y <= maxU && p.z >= minV && p.z <= maxV;
    } else {
        inside = ipos.z == pos && p.x >= minU && p.x <= maxU && p.y >= minV && p.y <= maxV;
    }
    if (inside) {
        writeVoxel(ipos, src);
    }
}

fn addSphere(ipos: vec3i, p: vec3f, cx: f32, cy: f32, cz: f32, radius: f32, src: sVoxel) {
    let d = p - vec3f(cx, cy, cz);
    if (dot(d, d) < radius * radius) {
        writeVoxel(ipos, src);
    }
}

// Rotates the offset about y, then x, then z; the half extents are strict, so a face voxel is outside.
fn addBoxRotated(ipos: vec3i, p: vec3f, cx: f32, cy: f32, cz: f32, hx: f32, hy: f32, hz: f32,
                 ax: f32, ay: f32, az: f32, src: sVoxel) -> bool {
    let d = p - vec3f(cx, cy, cz);
    let rx = d.x * cos(ay) + d.z * sin(ay);
    let rz = -d.x * sin(ay) + d.z * cos(ay);
    let ry = d.y;
    let ry2 = ry * cos(ax) - rz * sin(ax);
    let rz2 = ry * sin(ax) + rz * cos(ax);
    let rx2 = rx * cos(az) - ry2 * sin(az);
    let ry3 = rx * sin(az) + ry2 * cos(az);
    if (abs(rx2) < hx && abs(ry3) < hy && abs(rz2) < hz) {
        writeVoxel(ipos, src);
        return true;
    }
    return false;
}

fn addBox(ipos: vec3i, p: vec3f, cx: f32, cy: f32, cz: f32, hx: f32, hy: f32, hz: f32, src: sVoxel) -> bool {
    return addBoxRotated(ipos, p, cx, cy, cz, hx, hy, hz, 0.0, 0.0, 0.0, src);
}

fn addRotatedBoxX(ipos: vec3i, p: vec3f, cx: f32, cy: f32, cz: f32, hx: f32, hy: f32, hz: f32,
                  angleDeg: f32, src: sVoxel) -> bool {
    return addBoxRotated(ipos, p, cx, cy, cz, hx, hy, hz, angleDeg * 3.14159265 / 180.0, 0.0, 0.0, src);
}

fn addRotatedBoxY(ipos: vec3i, p: vec3f, cx: f32, cy: f32, cz: f32, hx: f32, hy: f32, hz: f32,
                  angleDeg: f32, src: sVoxel) -> bool {
    return addBoxRotated(ipos, p, cx, cy, cz, hx, hy, hz, 0.0, angleDeg * 3.14159265 / 180.0, 0.0, src);
}

fn addRotatedBoxZ(ipos: vec3i, p: vec3f, cx: f32, cy: f32, cz: f32, hx: f32, hy: f32, hz: f32,
                  angleDeg: f32, src: sVoxel) -> bool {
    return addBoxRotated(ipos, p, cx, cy, cz, hx, hy, hz, 0.0, 0.0, angleDeg * 3.14159265 / 180.0, src);
}

// Vertical cylinder; both ends are inclusive.
fn addCylinder(ipos: vec3i, p: vec3f, cx: f32, cz: f32, radius: f32, yMin: f32, yMax: f32, src: sVoxel) {
    let dx = p.x - cx;
    let dz = p.z - cz;
    if (dx * dx + dz * dz < radius * radius && p.y >= yMin && p.y <= yMax) {
        writeVoxel(ipos, src);
    }
}

// The twelve cube edges, four voxels thick, each in the colour of the nearest virtual wall.
fn writeEdgeWireframe(ipos: vec3i, w: i32, h: i32, d: i32, fx: f32, fy: f32, fz: f32) -> bool {
    let edgeW = 4.0 / f32(w);
    var nearAxes = 0;
    if (fx < edgeW || fx > 1.0 - edgeW) { nearAxes++; }
    if (fy < edgeW || fy > 1.0 - edgeW) { nearAxes++; }
    if (fz < edgeW || fz > 1.0 - edgeW) { nearAxes++; }
    if (nearAxes < 2) {
        return false;
    }
    var face = 0;
    var best = fx;
    if (1.0 - fx < best) { face = 1; best = 1.0 - fx; }
    if (fy < best) { face = 2; best = fy; }
    if (1.0 - fy < best) { face = 3; best = 1.0 - fy; }
    if (fz < best) { face = 4; best = fz; }
    if (1.0 - fz < best) { face = 5; best = 1.0 - fz; }
    let f = constants.vwFaces[face];
    volWrite(ipos, vec4f(f.r, f.g, f.b, 1.0));
    writeEmissRough(ipos, f.emissivity, f.roughness);
    return true;
}

// What WRITE_EDGE_WIREFRAME does for a cell.
fn writeCellEdge(c: sFillCell) -> bool {
    return writeEdgeWireframe(c.ipos, fill.volW, fill.volH, fill.volD, c.fx, c.fy, c.fz);
}
