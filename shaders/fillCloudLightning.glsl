

layout(local_size_x = FILL_GROUP_SIZE, local_size_y = FILL_GROUP_SIZE, local_size_z = FILL_GROUP_SIZE) in;

// Storm cloud: drifting fbm cut by a coarse mask into large holes, with one fading lightning bolt whose glow
// lights the cloud from inside.
uniform int volW;
uniform int volH;
uniform int volD;
uniform float time;
uniform float fogThresholdP;
uniform float fogMaskCutP;
uniform float fogDensityMulP;
uniform float fogMaxDensityP;
uniform float fogFreqP;
uniform float lightningTime;
uniform int lightningSeed;

const float BOLT_LIFE = 0.40;

void main()
{
    FILL_INIT
    WRITE_EDGE_WIREFRAME

    float t = time;
    float f = fogFreqP;
    float tx = 0.35 * t;
    float tz = 0.22 * t;
    float n = fbm(f * fx + tx, f * fy, f * fz + tz);
    float mask = valueNoise(0.4 * fx + 0.1 * tx, 0.4 * fy, 0.4 * fz + 0.08 * tz);
    float threshold = fogThresholdP + 0.05 * sin(0.3 * t);
    float density = max(0.0, n - threshold) / (1.0 - threshold);
    density *= max(0.0, mask - fogMaskCutP) / (1.0 - fogMaskCutP + 0.001);
    density = min(density * fogDensityMulP, fogMaxDensityP);
    vec3 colour = vec3(0.25 + 0.15 * fy, 0.27 + 0.13 * fy, 0.35 + 0.20 * n);
    float emission = 0.0;

    float fade = max(0.0, 1.0 - lightningTime / BOLT_LIFE);
    float intensity = fade * fade;
    if (intensity >= 0.001) {
        // The strike count seeds the bolt, so every strike falls somewhere new.
        uint id = uint(lightningSeed) * 10u;
        vec3 a = vec3(0.15 + 0.70 * hashf(id * 1619u), 0.95, 0.15 + 0.70 * hashf(id * 31337u));
        vec3 b = vec3(0.15 + 0.70 * hashf(id * 6271u), 0.05, 0.15 + 0.70 * hashf(id * 2654u));
        vec3 ab = b - a;
        // Clamped to the segment, so the bolt has rounded ends.
        float param = clamp(dot(p - a, ab) / max(dot(ab, ab), 1e-6), 0.0, 1.0);
        vec3 q = a + param * ab;
        float jagAt = 12.0 * param + 0.1 * float(id);
        float dispX = (fbm(jagAt, 0.0, 0.0) - 0.5) * 0.20;
        float dispZ = (fbm(jagAt, 1.7, 0.0) - 0.5) * 0.20;
        vec3 e = vec3(p.x - q.x - dispX, p.y - q.y, p.z - q.z - dispZ);
        float dist2 = dot(e, e);
        float w = 0.006 + 0.005 * hashf(id * 777u);
        float bolt = min(exp(-dist2 / (w * w)) * intensity * 3.0, 1.0);
        float core = min(2.0 * bolt, 1.0);
        colour = max(colour, vec3(0.6, 0.8, 1.0) * core);
        density = min(density + bolt, 1.0);
        // A wide halo around the thin bolt is what lights the cloud.
        emission = max(emission, 16.0 * exp(-dist2 / (0.10 * 0.10)) * intensity);
    }

    writeVoxel(ipos, sVoxel(colour.r, colour.g, colour.b, density, emission, 1.0));
}
