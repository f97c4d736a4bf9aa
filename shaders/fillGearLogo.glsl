

layout(local_size_x = FILL_GROUP_SIZE, local_size_y = FILL_GROUP_SIZE, local_size_z = FILL_GROUP_SIZE) in;

// The closing emblem turning as it glides into the cube, and the festival caption riding a wave along the floor.
uniform int volW;
uniform int volH;
uniform int volD;
uniform float time;
uniform float logoZ;
uniform float logoAngle;
uniform int version2;
uniform float logoEmissivity;

const float LOGO_SIZE = 0.8;
const float LOGO_HALF_THICK = 0.06;
const int CAPTION_LEN = 13;
const int CAPTION_CODES[CAPTION_LEN] = int[CAPTION_LEN](70, 69, 83, 84, 73, 86, 65, 76, 32, 50, 48, 50, 54);  // FESTIVAL 2026
const vec3 txtColors[CAPTION_LEN] = vec3[CAPTION_LEN](
    vec3(1.0, 0.0, 0.0), vec3(0.0, 0.5, 1.0), vec3(1.0, 1.0, 0.0), vec3(1.0, 0.0, 0.5), vec3(0.0, 0.8, 1.0),
    vec3(1.0, 0.5, 0.0), vec3(0.6, 0.0, 1.0), vec3(1.0, 0.0, 0.0), vec3(0.0, 0.0, 0.0), vec3(0.0, 0.5, 1.0),
    vec3(1.0, 1.0, 0.0), vec3(1.0, 0.0, 0.5), vec3(0.0, 0.8, 1.0));
const float CAPTION_H = 0.25;
const float CAPTION_CHAR_W = CAPTION_H * 0.667;
const float CAPTION_W = float(CAPTION_LEN) * CAPTION_CHAR_W;
const float CAPTION_RANGE = 1.0 + CAPTION_W;  // the scroll that has carried the whole caption across the cube
const float CAPTION_TOP = 0.28;
const float CAPTION_Z = 0.77;
const float PANEL_PERIOD[4] = float[4](2.3, 3.1, 2.7, 3.5);

void main()
{
    FILL_INIT
    WRITE_EDGE_WIREFRAME
    float WALL = wallThickness;

    if (version2 == 0 && fy > 1.0 - WALL) {
        // Four ceiling panels, each changing colour at its own period.
        int q = (fx < 0.5 ? 0 : 1) + (fz < 0.5 ? 0 : 2);
        float period = PANEL_PERIOD[q];
        uint seed = uint(floor(time / period) * 777.0) + uint(q) * 12345u;
        seed = seed * 1664525u + 1013904223u;
        float hue = float(seed & 0xFFFFu) / 65535.0 * 6.28318;
        vec3 colour = 0.5 + 0.5 * cos(hue + vec3(0.0, 2.094, 4.189));
        writeVoxel(ipos, sVoxel(colour.r, colour.g, colour.b, 1.0, 2.5, 1.0));
        return;
    }

    vec3 c = vec3(fx - 0.5, fy - 0.5, fz - logoZ);
    float ca = cos(logoAngle);
    float sa = sin(logoAngle);
    float rx = c.x * ca - c.z * sa;
    float rz = c.x * sa + c.z * ca;
    float ry = c.y;
    float u = rx / LOGO_SIZE + 0.5;
    float v = -ry / LOGO_SIZE + 0.5;
    bool logo = u >= 0.0 && u <= 1.0 && v >= 0.0 && v <= 1.0 && abs(rz) < LOGO_HALF_THICK && gearLogoSample(u, v);

    // The first character leads at the right edge; the caption scrolls towards +x until it has left the cube.
    float scroll = min(max(time - 10.0, 0.0) * 0.18, CAPTION_RANGE);
    float wave = 0.015 * sin(15.0 * fx + 3.0 * time);
    float tu = (scroll - fx) / CAPTION_W;
    float tv = (CAPTION_TOP - (fy + wave)) / CAPTION_H;
    int ci = clamp(int(float(CAPTION_LEN) * tu), 0, CAPTION_LEN - 1);
    bool caption = abs(fz - CAPTION_Z) < 0.04 && tu >= 0.0 && tu <= 1.0 && tv >= 0.0 && tv <= 1.0 &&
                   fontCharSample(CAPTION_CODES[ci], float(CAPTION_LEN) * tu - float(ci), tv);

    if (logo && version2 != 0) {
        float sp = clamp(2.0 * scroll / CAPTION_RANGE, 0.0, 1.0);
        float logoV = clamp((ry + 0.4) / 0.8, 0.0, 1.0);
        vec3 target = mix(vec3(0.85, 0.65, 0.45), vec3(0.6, 0.75, 1.0), logoV);
        vec3 colour = mix(vec3(0.05, 0.9, 0.6), target, sp);
        writeVoxel(ipos, sVoxel(colour.r, colour.g, colour.b, 1.0, logoEmissivity, 0.15));
    } else if (logo) {
        writeVoxel(ipos, sVoxel(1.0, 1.0, 1.0, 1.0, 0.6, 0.15));
    } else if (caption) {
        vec3 colour = txtColors[ci];
        writeVoxel(ipos, sVoxel(colour.r, colour.g, colour.b, 1.0, version2 != 0 ? 12.0 : 0.6, 0.2));
    } else {
        writeVoxel(ipos, sVoxelDefault());
    }
}
