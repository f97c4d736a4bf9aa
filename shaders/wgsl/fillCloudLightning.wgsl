// Storm cloud: drifting fbm cut by a coarse mask into large holes, with one fading lightning bolt whose glow
// lights the cloud from inside.
struct FillParams {
    volW: i32,
    volH: i32,
    volD: i32,
    time: f32,
    fogThresholdP: f32,
    fogMaskCutP: f32,
    fogDensityMulP: f32,
    fogMaxDensityP: f32,
    fogFreqP: f32,
    lightningTime: f32,
    lightningSeed: i32,
}
@group(0) @binding(2) var<uniform> fill: FillParams;

const BOLT_LIFE = 0.40;

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
    let fz = c.fz;

    let t = fill.time;
    let f = fill.fogFreqP;
    let tx = 0.35 * t;
    let tz = 0.22 * t;
    let n = fbm(f * fx + tx, f * fy, f * fz + tz);
    let mask = valueNoise(0.4 * fx + 0.1 * tx, 0.4 * fy, 0.4 * fz + 0.08 * tz);
    let threshold = fill.fogThresholdP + 0.05 * sin(0.3 * t);
    var density = max(0.0, n - threshold) / (1.0 - threshold);
    density *= max(0.0, mask - fill.fogMaskCutP) / (1.0 - fill.fogMaskCutP + 0.001);
    density = min(density * fill.fogDensityMulP, fill.fogMaxDensityP);
    var colour = vec3f(0.25 + 0.15 * fy, 0.27 + 0.13 * fy, 0.35 + 0.20 * n);
    var emission = 0.0;

    let fade = max(0.0, 1.0 - fill.lightningTime / BOLT_LIFE);
    let intensity = fade * fade;
    if (intensity >= 0.001) {
        // The strike count seeds the bolt, so every strike falls somewhere new.
        let id = u32(fill.lightningSeed) * 10u;
        let a = vec3f(0.15 + 0.70 * hashf(id * 1619u), 0.95, 0.15 + 0.70 * hashf(id * 31337u));
        let b = vec3f(0.15 + 0.70 * hashf(id * 6271u), 0.05, 0.15 + 0.70 * hashf(id * 2654u));
        let ab = b - a;
        // Clamped to the segment, so the bolt has rounded ends.
        let param = clamp(dot(p - a, ab) / max(dot(ab, ab), 1e-6), 0.0, 1.0);
        let q = a + param * ab;
        let jagAt = 12.0 * param + 0.1 * f32(id);
        let dispX = (fbm(jagAt, 0.0, 0.0) - 0.5) * 0.20;
        let dispZ = (fbm(jagAt, 1.7, 0.0) - 0.5) * 0.20;
        let e = vec3f(p.x - q.x - dispX, p.y - q.y, p.z - q.z - dispZ);
        let dist2 = dot(e, e);
        let w = 0.006 + 0.005 * hashf(id * 777u);
        let bolt = min(exp(-dist2 / (w * w)) * intensity * 3.0, 1.0);
        let core = min(2.0 * bolt, 1.0);
        colour = max(colour, vec3f(0.6, 0.8, 1.0) * core);
        density = min(density + bolt, 1.0);
        // A wide halo around the thin bolt is what lights the cloud.
        emission = max(emission, 16.0 * exp(-dist2 / (0.10 * 0.10)) * intensity);
    }

    writeVoxel(ipos, sVoxel(colour.r, colour.g, colour.b, density, emission, 1.0));
}
