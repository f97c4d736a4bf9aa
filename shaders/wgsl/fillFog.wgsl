// Volumetric fog drifting around a small tumbling cube; under light mode 4 a crescent moon glows on the back wall.
struct FillParams {
    volW: i32,
    volH: i32,
    volD: i32,
    time: f32,
    lightMode: i32,
    fogThresholdP: f32,
    fogMaskCutP: f32,
    fogDensityMulP: f32,
    fogMaxDensityP: f32,
    fogAdvStrP: f32,
    fogFreqP: f32,
    fogAlgo: i32,
}
@group(0) @binding(2) var<uniform> fill: FillParams;

@compute @workgroup_size(FILL_GROUP_SIZE, FILL_GROUP_SIZE, FILL_GROUP_SIZE)
fn main(@builtin(global_invocation_id) id: vec3u) {
    let c = fillInit(id);
    let mode = fill.lightMode;
    let WALL = constants.wallThickness;
    if (!c.inside || writeCellEdge(c)) {
        return;
    }
    let ipos = c.ipos;
    let p = c.p;
    let fx = c.fx;
    let fy = c.fy;
    let fz = c.fz;

    // A crescent whose hollow side faces +x and +y.
    if (mode == 4 && fz > 1.0 - WALL) {
        let d1 = length(vec2f(fx, fy) - vec2f(0.5, 0.55));
        let d2 = length(vec2f(fx, fy) - vec2f(0.65, 0.61));
        if (d1 < 0.38 && d2 > 0.38 * 0.85) {
            writeVoxel(ipos, sVoxel(0.6, 0.7, 1.0, 1.0, 8.0, 1.0));
            return;
        }
    }

    let t = fill.time;
    let f = fill.fogFreqP;
    var n: f32;
    var mask: f32;
    if (fill.fogAlgo == 0) {
        let tx = 0.35 * t;
        let tz = 0.22 * t;
        n = fbm(1.8 * f * fx + tx, 1.8 * f * fy, 1.8 * f * fz + tz);
        mask = valueNoise(0.9 * fx + 0.3 * tx, 0.7 * fy, 0.9 * fz + 0.2 * tz);
    } else {
        let ts = 0.15 * t;
        let cn = curlNoise(f * fx + ts, f * fy, f * fz + 0.7 * ts);
        let s = vec3f(fx + fill.fogAdvStrP * cn.x + 0.8 * ts, fy + fill.fogAdvStrP * cn.y,
                      fz + fill.fogAdvStrP * cn.z + 0.5 * ts);
        n = fbm(f * s.x, f * s.y, f * s.z);
        mask = valueNoise(0.9 * s.x, 0.7 * s.y, 0.9 * s.z);
    }

    let threshold = fill.fogThresholdP + 0.06 * sin(0.3 * t);
    var density = max(0.0, n - threshold) / (1.0 - threshold);
    density *= max(0.0, (mask - fill.fogMaskCutP) / (1.0 - fill.fogMaskCutP));
    density = min(density * fill.fogDensityMulP, fill.fogMaxDensityP);

    // Thin out towards the walls so the fog never touches them; the camera side z = 0 fades over a longer run.
    var fade = min(1.0, min(min(fx / 0.20, (1.0 - fx) / 0.20), min(fy / 0.20, (1.0 - fy) / 0.20)));
    fade = min(fade, min((1.0 - fz) / 0.20, fz / 0.40));
    density *= max(fade, 0.0);

    // Bluer and brighter upwards.
    let colour = vec3f(0.55 + 0.3 * fy, 0.65 + 0.2 * fy, 0.85 + 0.15 * n);
    writeVoxel(ipos, sVoxel(colour.r, colour.g, colour.b, density, 0.0, 1.0));

    addBoxRotated(ipos, p, 0.5, 0.5, 0.5, 0.08, 0.08, 0.08, 0.5 * t, 0.7 * t, 0.3 * t,
                  sVoxel(0.9, 0.9, 0.92, 1.0, 0.0, 0.3));
}
