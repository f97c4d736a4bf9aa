// The group's name as nine flickering glass neon letters on two lines, standing in a faint haze.
struct FillParams {
    volW: i32,
    volH: i32,
    volD: i32,
    time: f32,
    s2Fog: i32,
    zoomRatio: f32,
}
@group(0) @binding(2) var<uniform> fill: FillParams;

const NAME_LEN = 9;
const NAME_CODES = array<i32, NAME_LEN>(76, 85, 77, 73, 78, 65, 82, 67, 83);  // LUMINARCS
const LINE1_LEN = 4;
const NEON_DELAY = array<f32, NAME_LEN>(0.0, 3.2, 2.4, 4.8, 2.8, 4.0, 3.6, 5.2, 2.0);
const NEON_NO_FLICKER = array<bool, NAME_LEN>(false, false, false, true, false, false, false, true, false);
const NEON_COLOUR = array<vec3f, NAME_LEN>(
    vec3f(0.05, 1.0, 0.3), vec3f(1.0, 0.2, 0.6), vec3f(1.0, 0.55, 0.05), vec3f(0.1, 0.3, 1.0), vec3f(0.6, 0.1, 1.0),
    vec3f(1.0, 0.05, 0.05), vec3f(1.0, 0.85, 0.6), vec3f(0.1, 0.9, 1.0), vec3f(1.0, 0.1, 0.4));
const SLAB_Z0 = 0.44;
const SLAB_THICK = 0.12;

// A neon tube's brightness lt seconds after its own start: stutter, false start, blackout, then a buzzing
// ignition that settles three seconds in. Tubes that skip all that just ramp up.
fn neonFlicker(lt: f32, seed: u32, skip: bool) -> f32 {
    if (lt < 0.0) {
        return 0.0;
    }
    if (skip) {
        return 1.0 - exp(-3.0 * lt);
    }
    let h1 = hashf(seed * 7919u);
    let h2 = hashf(seed * 6271u);
    let h3 = hashf(seed * 3391u);
    let e1 = 0.8 + 0.6 * h1;
    if (lt < e1) {
        let r = 12.0 + 8.0 * h2;
        let flash = max(0.0, sin(6.2832 * r * lt) - 0.3) / 0.7;
        let flash2 = max(0.0, sin(6.2832 * (1.7 * r + 3.0) * lt) - 0.5) / 0.5;
        let envelope = max(0.0, 0.3 + 0.7 * sin(3.1 * lt + 6.28 * h3));
        return max(flash, 0.6 * flash2) * envelope;
    }
    let e2 = e1 + 0.4 + 0.4 * h2;
    if (lt < e2) {
        let u = (lt - e1) / (e2 - e1);
        return (1.0 - exp(-10.0 * u)) * exp(-8.0 * max(0.0, u - 0.4)) * 0.9;
    }
    let e3 = e2 + 0.1 + 0.15 * h3;
    if (lt < e3) {
        return select(0.0, 0.15, sin(35.0 * lt) > 0.8);
    }
    let a = lt - e3;
    let f = clamp(1.0 - 2.0 * (a - 3.0), 0.0, 1.0);
    let ramp = 1.0 - exp(-5.0 * a);
    let buzz = 1.0 - 0.08 * sin(6.2832 * 120.0 * lt) * f;
    let slow = 1.0 - 0.06 * sin(2.7 * lt + 6.28 * h1) * f;
    let glitch = select(1.0, mix(1.0, 0.7, f), sin(47.0 * lt + 100.0 * h2) > 0.95);
    return ramp * buzz * slow * glitch;
}

@compute @workgroup_size(FILL_GROUP_SIZE, FILL_GROUP_SIZE, FILL_GROUP_SIZE)
fn main(@builtin(global_invocation_id) id: vec3u) {
    let c = fillInit(id);
    if (!c.inside || writeCellEdge(c)) {
        return;
    }
    let ipos = c.ipos;
    let p = c.p;
    let WALL = constants.wallThickness;

    // Two centred lines between the walls (zoomRatio 0), or a first letter filling the cube (zoomRatio 1).
    let margin = WALL + 0.03;
    let avail = 1.0 - 2.0 * margin;
    var cw0 = avail / 5.0;
    var ch0 = 1.5 * cw0;
    if (ch0 > 0.4 * avail) {
        ch0 = 0.4 * avail;
        cw0 = ch0 * 16.0 / 24.0;
    }
    let gap0 = 0.15 * ch0;
    let ch1 = 1.056;
    let cw1 = ch1 * 16.0 / 24.0;
    let gap1 = 0.15 * ch1;
    let left1 = 0.5 - 0.5 * cw1 + 0.10;
    let bottom1 = 0.5 - 0.5 * ch1;
    let cw = mix(cw0, cw1, fill.zoomRatio);
    let ch = mix(ch0, ch1, fill.zoomRatio);
    let line1 = mix(vec2f(0.5 - 2.0 * cw0, 0.5 + 0.5 * gap0), vec2f(left1, bottom1), fill.zoomRatio);
    let line2 = mix(vec2f(0.5 - 2.5 * cw0, 0.5 - 0.5 * gap0 - ch0), vec2f(left1, bottom1 - gap1 - ch1), fill.zoomRatio);

    var isText = false;
    for (var i = 0; i < NAME_LEN; i++) {
        let origin = select(line2 + vec2f(f32(i - LINE1_LEN) * cw, 0.0), line1 + vec2f(f32(i) * cw, 0.0),
                            i < LINE1_LEN);
        let lit = neonFlicker(fill.time - NEON_DELAY[i], u32(i + 1), NEON_NO_FLICKER[i]);
        let colour = NEON_COLOUR[i] * lit;
        // Glossy tinted glass; an unlit tube is dark glass.
        let glass = sVoxel(colour.r, colour.g, colour.b, 0.3, 30.0 * lit, 0.05);
        let letter = array<i32, 16>(NAME_CODES[i], 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
        if (addText(ipos, p, letter, 1, vec3f(origin, SLAB_Z0), cw, ch, SLAB_THICK, glass)) {
            isText = true;
        }
    }
    if (isText) {
        return;
    }

    if (fill.s2Fog == 0) {
        writeVoxel(ipos, sVoxelDefault());
        return;
    }
    let haze = 0.025 * (0.7 + 0.6 * fbm(6.0 * c.fx, 6.0 * c.fy, 6.0 * c.fz + 0.1 * fill.time));
    writeVoxel(ipos, sVoxel(0.15, 0.15, 0.18, haze, 0.0, 1.0));
}
