

layout(local_size_x = FILL_GROUP_SIZE, local_size_y = FILL_GROUP_SIZE, local_size_z = FILL_GROUP_SIZE) in;

// The group's name as nine flickering glass neon letters on two lines, standing in a faint haze.
uniform int volW;
uniform int volH;
uniform int volD;
uniform float time;
uniform int s2Fog;
uniform float zoomRatio;

const int NAME_LEN = 9;
const int NAME_CODES[NAME_LEN] = int[NAME_LEN](76, 85, 77, 73, 78, 65, 82, 67, 83);  // LUMINARCS
const int LINE1_LEN = 4;
const float NEON_DELAY[NAME_LEN] = float[NAME_LEN](0.0, 3.2, 2.4, 4.8, 2.8, 4.0, 3.6, 5.2, 2.0);
const bool NEON_NO_FLICKER[NAME_LEN] = bool[NAME_LEN](false, false, false, true, false, false, false, true, false);
const vec3 NEON_COLOUR[NAME_LEN] = vec3[NAME_LEN](
    vec3(0.05, 1.0, 0.3), vec3(1.0, 0.2, 0.6), vec3(1.0, 0.55, 0.05), vec3(0.1, 0.3, 1.0), vec3(0.6, 0.1, 1.0),
    vec3(1.0, 0.05, 0.05), vec3(1.0, 0.85, 0.6), vec3(0.1, 0.9, 1.0), vec3(1.0, 0.1, 0.4));
const float SLAB_Z0 = 0.44;
const float SLAB_THICK = 0.12;

// A neon tube's brightness lt seconds after its own start: stutter, false start, blackout, then a buzzing
// ignition that settles three seconds in. Tubes that skip all that just ramp up.
float neonFlicker(float lt, uint seed, bool skip)
{
    if (lt < 0.0)
        return 0.0;
    if (skip)
        return 1.0 - exp(-3.0 * lt);
    float h1 = hashf(seed * 7919u);
    float h2 = hashf(seed * 6271u);
    float h3 = hashf(seed * 3391u);
    float e1 = 0.8 + 0.6 * h1;
    if (lt < e1) {
        float r = 12.0 + 8.0 * h2;
        float flash = max(0.0, sin(6.2832 * r * lt) - 0.3) / 0.7;
        float flash2 = max(0.0, sin(6.2832 * (1.7 * r + 3.0) * lt) - 0.5) / 0.5;
        float envelope = max(0.0, 0.3 + 0.7 * sin(3.1 * lt + 6.28 * h3));
        return max(flash, 0.6 * flash2) * envelope;
    }
    float e2 = e1 + 0.4 + 0.4 * h2;
    if (lt < e2) {
        float u = (lt - e1) / (e2 - e1);
        return (1.0 - exp(-10.0 * u)) * exp(-8.0 * max(0.0, u - 0.4)) * 0.9;
    }
    float e3 = e2 + 0.1 + 0.15 * h3;
    if (lt < e3)
        return sin(35.0 * lt) > 0.8 ? 0.15 : 0.0;
    float a = lt - e3;
    float f = clamp(1.0 - 2.0 * (a - 3.0), 0.0, 1.0);
    float ramp = 1.0 - exp(-5.0 * a);
    float buzz = 1.0 - 0.08 * sin(6.2832 * 120.0 * lt) * f;
    float slow = 1.0 - 0.06 * sin(2.7 * lt + 6.28 * h1) * f;
    float glitch = sin(47.0 * lt + 100.0 * h2) > 0.95 ? mix(1.0, 0.7, f) : 1.0;
    return ramp * buzz * slow * glitch;
}

void main()
{
    FILL_INIT
    WRITE_EDGE_WIREFRAME
    float WALL = wallThickness;

    // Two centred lines between the walls (zoomRatio 0), or a first letter filling the cube (zoomRatio 1).
    float margin = WALL + 0.03;
    float avail = 1.0 - 2.0 * margin;
    float cw0 = avail / 5.0;
    float ch0 = 1.5 * cw0;
    if (ch0 > 0.4 * avail) {
        ch0 = 0.4 * avail;
        cw0 = ch0 * 16.0 / 24.0;
    }
    float gap0 = 0.15 * ch0;
    float ch1 = 1.056;
    float cw1 = ch1 * 16.0 / 24.0;
    float gap1 = 0.15 * ch1;
    float left1 = 0.5 - 0.5 * cw1 + 0.10;
    float bottom1 = 0.5 - 0.5 * ch1;
    float cw = mix(cw0, cw1, zoomRatio);
    float ch = mix(ch0, ch1, zoomRatio);
    vec2 line1 = mix(vec2(0.5 - 2.0 * cw0, 0.5 + 0.5 * gap0), vec2(left1, bottom1), zoomRatio);
    vec2 line2 = mix(vec2(0.5 - 2.5 * cw0, 0.5 - 0.5 * gap0 - ch0), vec2(left1, bottom1 - gap1 - ch1), zoomRatio);

    bool isText = false;
    for (int i = 0; i < NAME_LEN; ++i) {
        vec2 origin = i < LINE1_LEN ? line1 + vec2(float(i) * cw, 0.0) : line2 + vec2(float(i - LINE1_LEN) * cw, 0.0);
        float lit = neonFlicker(time - NEON_DELAY[i], uint(i + 1), NEON_NO_FLICKER[i]);
        vec3 colour = NEON_COLOUR[i] * lit;
        // Glossy tinted glass; an unlit tube is dark glass.
        sVoxel glass = sVoxel(colour.r, colour.g, colour.b, 0.3, 30.0 * lit, 0.05);
        int letter[16] = int[16](NAME_CODES[i], 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
        if (addText(ipos, p, letter, 1, vec3(origin, SLAB_Z0), cw, ch, SLAB_THICK, glass))
            isText = true;
    }
    if (isText)
        return;

    if (s2Fog == 0) {
        writeVoxel(ipos, sVoxelDefault());
        return;
    }
    float haze = 0.025 * (0.7 + 0.6 * fbm(6.0 * fx, 6.0 * fy, 6.0 * fz + 0.1 * time));
    writeVoxel(ipos, sVoxel(0.15, 0.15, 0.18, haze, 0.0, 1.0));
}
