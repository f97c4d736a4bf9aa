// The closing emblem turning as it glides into the cube, and the festival caption riding a wave along the floor.
struct FillParams {
    volW: i32,
    volH: i32,
    volD: i32,
    time: f32,
    logoZ: f32,
    logoAngle: f32,
    version2: i32,
    logoEmissivity: f32,
}
@group(0) @binding(2) var<uniform> fill: FillParams;

const LOGO_SIZE = 0.8;
const LOGO_HALF_THICK = 0.06;
const CAPTION_LEN = 13;
const CAPTION_CODES = array<i32, CAPTION_LEN>(70, 69, 83, 84, 73, 86, 65, 76, 32, 50, 48, 50, 54);  // FESTIVAL 2026
const txtColors = array<vec3f, CAPTION_LEN>(
    vec3f(1.0, 0.0, 0.0), vec3f(0.0, 0.5, 1.0), vec3f(1.0, 1.0, 0.0), vec3f(1.0, 0.0, 0.5), vec3f(0.0, 0.8, 1.0),
    vec3f(1.0, 0.5, 0.0), vec3f(0.6, 0.0, 1.0), vec3f(1.0, 0.0, 0.0), vec3f(0.0, 0.0, 0.0), vec3f(0.0, 0.5, 1.0),
    vec3f(1.0, 1.0, 0.0), vec3f(1.0, 0.0, 0.5), vec3f(0.0, 0.8, 1.0));
const CAPTION_H: f32 = 0.25;
const CAPTION_CHAR_W: f32 = CAPTION_H * 0.667;
const CAPTION_W: f32 = f32(CAPTION_LEN) * CAPTION_CHAR_W;
const CAPTION_RANGE: f32 = 1.0 + CAPTION_W;  // the scroll that has carried the whole caption across the cube
const CAPTION_TOP = 0.28;
const CAPTION_Z = 0.77;
const PANEL_PERIOD = array<f32, 4>(2.3, 3.1, 2.7, 3.5);

@compute @workgroup_size(FILL_GROUP_SIZE, FILL_GROUP_SIZE, FILL_GROUP_SIZE)
fn main(@builtin(global_invocation_id) id: vec3u) {
    let cell = fillInit(id);
    if (!cell.inside || writeCellEdge(cell)) {
        return;
    }
    let ipos = cell.ipos;
    let fx = cell.fx;
    let fy = cell.fy;
    let fz = cell.fz;
    let WALL = constants.wallThickness;

    if (fill.version2 == 0 && fy > 1.0 - WALL) {
        // Four ceiling panels, each changing colour at its own period.
        let q = select(1, 0, fx < 0.5) + select(2, 0, fz < 0.5);
        let period = PANEL_PERIOD[q];
        var seed = u32(floor(fill.time / period) * 777.0) + u32(q) * 12345u;
        seed = seed * 1664525u + 1013904223u;
        let hue = f32(seed & 0xFFFFu) / 65535.0 * 6.28318;
        let colour = 0.5 + 0.5 * cos(hue + vec3f(0.0, 2.094, 4.189));
        writeVoxel(ipos, sVoxel(colour.r, colour.g, colour.b, 1.0, 2.5, 1.0));
        return;
    }

    let c = vec3f(fx - 0.5, fy - 0.5, fz - fill.logoZ);
    let ca = cos(fill.logoAngle);
    let sa = sin(fill.logoAngle);
    let rx = c.x * ca - c.z * sa;
    let rz = c.x * sa + c.z * ca;
    let ry = c.y;
    let u = rx / LOGO_SIZE + 0.5;
    let v = -ry / LOGO_SIZE + 0.5;
    let logo = u >= 0.0 && u <= 1.0 && v >= 0.0 && v <= 1.0 && abs(rz) < LOGO_HALF_THICK && gearLogoSample(u, v);

    // The first character leads at the right edge; the caption scrolls towards +x until it has left the cube.
    let scroll = min(max(fill.time - 10.0, 0.0) * 0.18, CAPTION_RANGE);
    let wave = 0.015 * sin(15.0 * fx + 3.0 * fill.time);
    let tu = (scroll - fx) / CAPTION_W;
    let tv = (CAPTION_TOP - (fy + wave)) / CAPTION_H;
    let ci = clamp(i32(f32(CAPTION_LEN) * tu), 0, CAPTION_LEN - 1);
    let caption = abs(fz - CAPTION_Z) < 0.04 && tu >= 0.0 && tu <= 1.0 && tv >= 0.0 && tv <= 1.0 &&
                  fontCharSample(CAPTION_CODES[ci], f32(CAPTION_LEN) * tu - f32(ci), tv);

    if (logo && fill.version2 != 0) {
        let sp = clamp(2.0 * scroll / CAPTION_RANGE, 0.0, 1.0);
        let logoV = clamp((ry + 0.4) / 0.8, 0.0, 1.0);
        let targetColour = mix(vec3f(0.85, 0.65, 0.45), vec3f(0.6, 0.75, 1.0), logoV);
        let colour = mix(vec3f(0.05, 0.9, 0.6), targetColour, sp);
        writeVoxel(ipos, sVoxel(colour.r, colour.g, colour.b, 1.0, fill.logoEmissivity, 0.15));
    } else if (logo) {
        writeVoxel(ipos, sVoxel(1.0, 1.0, 1.0, 1.0, 0.6, 0.15));
    } else if (caption) {
        let colour = txtColors[ci];
        writeVoxel(ipos, sVoxel(colour.r, colour.g, colour.b, 1.0, select(0.6, 12.0, fill.version2 != 0), 0.2));
    } else {
        writeVoxel(ipos, sVoxelDefault());
    }
}
