

layout(local_size_x = FILL_GROUP_SIZE, local_size_y = FILL_GROUP_SIZE, local_size_z = FILL_GROUP_SIZE) in;

// Volumetric fog drifting around a small tumbling cube; under light mode 4 a crescent moon glows on the back wall.
uniform int volW;
uniform int volH;
uniform int volD;
uniform float time;
uniform int lightMode;
uniform float fogThresholdP;
uniform float fogMaskCutP;
uniform float fogDensityMulP;
uniform float fogMaxDensityP;
uniform float fogAdvStrP;
uniform float fogFreqP;
uniform int fogAlgo;

void main()
{
    FILL_INIT
    int mode = lightMode;
    float WALL = wallThickness;
    WRITE_EDGE_WIREFRAME

    // A crescent whose hollow side faces +x and +y.
    if (mode == 4 && fz > 1.0 - WALL) {
        float d1 = length(vec2(fx, fy) - vec2(0.5, 0.55));
        float d2 = length(vec2(fx, fy) - vec2(0.65, 0.61));
        if (d1 < 0.38 && d2 > 0.38 * 0.85) {
            writeVoxel(ipos, sVoxel(0.6, 0.7, 1.0, 1.0, 8.0, 1.0));
            return;
        }
    }

    float t = time;
    float f = fogFreqP;
    float n;
    float mask;
    if (fogAlgo == 0) {
        float tx = 0.35 * t;
        float tz = 0.22 * t;
        n = fbm(1.8 * f * fx + tx, 1.8 * f * fy, 1.8 * f * fz + tz);
        mask = valueNoise(0.9 * fx + 0.3 * tx, 0.7 * fy, 0.9 * fz + 0.2 * tz);
    } else {
        float ts = 0.15 * t;
        vec3 c = curlNoise(f * fx + ts, f * fy, f * fz + 0.7 * ts);
        vec3 s = vec3(fx + fogAdvStrP * c.x + 0.8 * ts, fy + fogAdvStrP * c.y, fz + fogAdvStrP * c.z + 0.5 * ts);
        n = fbm(f * s.x, f * s.y, f * s.z);
        mask = valueNoise(0.9 * s.x, 0.7 * s.y, 0.9 * s.z);
    }

    float threshold = fogThresholdP + 0.06 * sin(0.3 * t);
    float density = max(0.0, n - threshold) / (1.0 - threshold);
    density *= max(0.0, (mask - fogMaskCutP) / (1.0 - fogMaskCutP));
    density = min(density * fogDensityMulP, fogMaxDensityP);

    // Thin out towards the walls so the fog never touches them; the camera side z = 0 fades over a longer run.
    float fade = min(1.0, min(min(fx / 0.20, (1.0 - fx) / 0.20), min(fy / 0.20, (1.0 - fy) / 0.20)));
    fade = min(fade, min((1.0 - fz) / 0.20, fz / 0.40));
    density *= max(fade, 0.0);

    // Bluer and brighter upwards.
    vec3 colour = vec3(0.55 + 0.3 * fy, 0.65 + 0.2 * fy, 0.85 + 0.15 * n);
    writeVoxel(ipos, sVoxel(colour.r, colour.g, colour.b, density, 0.0, 1.0));

    addBoxRotated(ipos, p, 0.5, 0.5, 0.5, 0.08, 0.08, 0.08, 0.5 * t, 0.7 * t, 0.3 * t,
                  sVoxel(0.9, 0.9, 0.92, 1.0, 0.0, 0.3));
}
