// Intro captions: right-aligned block-letter lines in a slab through the middle of the cube.
struct FillParams {
    volW: i32,
    volH: i32,
    volD: i32,
    time: f32,
    textSet: i32,
}
@group(0) @binding(2) var<uniform> fill: FillParams;

const TXT_MARGIN: f32 = 0.03;
const TXT_CHAR_W: f32 = (1.0 - 2.0 * TXT_MARGIN) / 12.0;  // the longest line holds 12 characters
const TXT_HEIGHT: f32 = TXT_CHAR_W * 24.0 / 16.0;
const TXT_GAP: f32 = 0.15 * TXT_HEIGHT;
const TXT_Z0: f32 = 0.44;
const TXT_THICK: f32 = 0.12;

// Right-aligned to 1 - margin.
fn addLine(ipos: vec3i, p: vec3f, chars: array<i32, 16>, len: i32, bottom: f32, mat: sVoxel) -> bool {
    let origin = vec3f(1.0 - TXT_MARGIN - f32(len) * TXT_CHAR_W, bottom, TXT_Z0);
    return addText(ipos, p, chars, len, origin, f32(len) * TXT_CHAR_W, TXT_HEIGHT, TXT_THICK, mat);
}

@compute @workgroup_size(FILL_GROUP_SIZE, FILL_GROUP_SIZE, FILL_GROUP_SIZE)
fn main(@builtin(global_invocation_id) id: vec3u) {
    let c = fillInit(id);
    if (!c.inside || writeCellEdge(c)) {
        return;
    }
    let ipos = c.ipos;
    let p = c.p;
    // Cleared every frame: the text writes only its ink.
    writeVoxel(ipos, sVoxelDefault());

    var colour = vec3f(0.9);
    if (fill.textSet == 0) {
        colour = vec3f(0.2, 0.4, 1.0);
    } else if (fill.textSet == 1) {
        colour = vec3f(1.0, 0.6, 0.1);
    } else if (fill.textSet == 2) {
        colour = vec3f(0.2, 0.9, 0.3);
    }
    // The letters do not glow; the emissive x = 0 wall lights them.
    let mat = sVoxel(colour.r, colour.g, colour.b, 1.0, 0.0, 1.0);

    let h = TXT_HEIGHT;
    let g = TXT_GAP;
    let aboveLowest = TXT_MARGIN + h + g;  // bottom of the line just above the lowest one
    if (fill.textSet == 0) {
        addLine(ipos, p, array<i32, 16>(76, 85, 77, 73, 78, 65, 82, 67, 83, 0, 0, 0, 0, 0, 0, 0), 9, aboveLowest, mat);
        addLine(ipos, p, array<i32, 16>(80, 82, 69, 83, 69, 78, 84, 83, 0, 0, 0, 0, 0, 0, 0, 0), 8, TXT_MARGIN, mat);
    } else if (fill.textSet == 1) {
        addLine(ipos, p, array<i32, 16>(71, 82, 73, 68, 83, 79, 77, 78, 73, 65, 0, 0, 0, 0, 0, 0), 10,
                aboveLowest + h + 3.0 * g, mat);
        addLine(ipos, p, array<i32, 16>(81, 85, 65, 82, 84, 90, 73, 78, 69, 0, 0, 0, 0, 0, 0, 0), 9, aboveLowest, mat);
        addLine(ipos, p, array<i32, 16>(72, 79, 76, 76, 79, 87, 67, 65, 83, 84, 69, 82, 0, 0, 0, 0), 12, TXT_MARGIN,
                mat);
    } else if (fill.textSet == 2) {
        // An empty line separates the coder from the musician.
        let coderName = aboveLowest + h + 3.0 * g;
        addLine(ipos, p, array<i32, 16>(67, 79, 68, 69, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0), 4, coderName + h + g, mat);
        addLine(ipos, p, array<i32, 16>(86, 79, 82, 84, 69, 78, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0), 6, coderName, mat);
        addLine(ipos, p, array<i32, 16>(77, 85, 83, 73, 67, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0), 5, aboveLowest, mat);
        addLine(ipos, p, array<i32, 16>(81, 85, 69, 76, 66, 89, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0), 6, TXT_MARGIN, mat);
    }
}
