// Marches each pixel's ray through the lit volume front to back, then shades what is left with the
// virtual wall behind the cube and the background or halo.

struct sViewParams {
    vec4 rect;
    vec3 pos;
    float fov;
    vec3 fwd;
    float gamma;
    vec3 right;
    float virtualW;
    vec3 up;
    float cropX;
};

layout(std140, binding = VIEWS_BINDING) uniform ViewsUBO {
    int numViews;
    int volSize;
    int renderMode;
    int refractionEnabled;
    float hihatPulse;
    float viewsPad0;
    float viewsPad1;
    float viewsPad2;
    sViewParams views[9];
};

uniform sampler3D volSampler;
uniform sampler3D giSampler;
// Per brick, g: 0 when a linear sample in it may see some opacity, else k: the bricks nearer than k see none.
uniform usampler3D occupancySampler;
uniform int brickSize;
uniform int skipEmpty;
uniform float refractionIOR;
uniform vec3 bgColor;
uniform int haloEnabled;
uniform float haloIntensity;

out vec4 fragColor;

// A horizontal ellipse of light centred below the middle of the view.
vec3 halo(vec2 uv)
{
    float cx = uv.x - 0.5;
    float cy = uv.y - 0.3;
    float r2 = 2.0 * cx * cx + cy * cy;
    return bgColor * exp(-6.0 * r2) * 0.65 * haloIntensity;
}

float opacityAt(vec3 q)
{
    return textureLod(volSampler, q, 0.0).a;
}

// How many samples, from this one at q on with q advancing stepVoxels voxels per step, are certainly exactly 0:
// they stay inside the bricks nearer than the distance read, where samples blend only voxels of opacity 0. A box's
// samples stay zero up to half a voxel beyond it, far more than the rounding of the march. 0 when this sample must
// be taken.
int zeroSamplesAhead(vec3 q, vec3 stepVoxels)
{
    vec3 voxel = q * float(volSize);
    ivec3 brick = clamp(ivec3(voxel / float(brickSize)), ivec3(0), textureSize(occupancySampler, 0) - 1);
    int reach = int(texelFetch(occupancySampler, brick, 0).g);
    if (reach == 0)
        return 0;
    vec3 lo = vec3(max(brick - (reach - 1), 0) * brickSize);
    vec3 hi = vec3(min((brick + reach) * brickSize, ivec3(volSize)));
    // Written so that a NaN position is sampled.
    if (!(all(greaterThanEqual(voxel, lo)) && all(lessThanEqual(voxel, hi))))
        return 0;
    vec3 bound = mix(lo, hi, greaterThan(stepVoxels, vec3(0.0)));
    vec3 room = mix(vec3(1e9), (bound - voxel) / stepVoxels, notEqual(stepVoxels, vec3(0.0)));
    return int(min(room.x, min(room.y, room.z))) + 1;
}

void main()
{
    float px = gl_FragCoord.x;
    float py = gl_FragCoord.y;
    int viewIndex = -1;
    float lx = 0.0;
    float ly = 0.0;
    for (int i = 0; i < numViews; ++i) {
        vec4 rect = views[i].rect;
        lx = px - rect.x;
        ly = py - rect.y;
        if (lx < 0.0 || lx >= rect.z || ly < 0.0 || ly >= rect.w)
            continue;
        viewIndex = i;
        break;
    }
    if (viewIndex < 0) {
        fragColor = vec4(0.0);
        return;
    }
    sViewParams view = views[viewIndex];
    vec4 rect = view.rect;

    float rayW = view.virtualW > 0.0 ? view.virtualW : rect.z;
    float rayX = lx + view.cropX;
    float s = tan(view.fov * 0.5);
    float u = (2.0 * rayX / rayW - 1.0) * s;
    float v = (2.0 * ly / rect.w - 1.0) * s * rect.w / rayW;
    vec3 d = normalize(view.fwd + u * view.right + v * view.up);
    vec3 o = view.pos;

    vec3 inverse = vec3(abs(d.x) < 1e-8 ? 1e8 : 1.0 / d.x, abs(d.y) < 1e-8 ? 1e8 : 1.0 / d.y,
                        abs(d.z) < 1e-8 ? 1e8 : 1.0 / d.z);
    vec3 t0 = -o * inverse;
    vec3 t1 = (1.0 - o) * inverse;
    vec3 tMin = min(t0, t1);
    vec3 tMax = max(t0, t1);
    float tNear = max(max(tMin.x, tMin.y), tMin.z);
    float tFar = min(min(tMax.x, tMax.y), tMax.z);
    vec2 uv = vec2(lx / rect.z, ly / rect.w);

    if (tNear > tFar || tFar < 0.0) {
        if (haloEnabled != 0) {
            float dither = fract(sin(px * 12.9898 + py * 78.233) * 43758.5453) / 255.0;
            fragColor = vec4(halo(uv) + dither, 1.0);
        } else {
            fragColor = vec4(bgColor, 1.0);
        }
        return;
    }
    tNear = max(tNear, 0.0);
    if (forceBlack > 0.5) {
        fragColor = vec4(0.0, 0.0, 0.0, 1.0);
        return;
    }

    vec3 acc = vec3(0.0);
    float T = 1.0;
    float h = 1.0 / float(volSize);
    uint seed = uint(px) * 1973u + uint(py) * 9277u + 6133u;
    seed = (seed ^ (seed >> 13u)) * 1274126177u;
    float jitter = float(seed & 0xFFFFu) / 65535.0;
    vec3 p = o + d * (tNear + h * jitter);
    vec3 r = d;
    float a0 = 0.0;
    // The swell scales the sample point about the centre, and with it the march's steps in sample space.
    float swell = hihatPulse > 0.01 ? 1.0 + 0.12 * hihatPulse : 1.0;
    for (float t = tNear; t < tFar; t += h, p += r * h) {
        vec3 q = hihatPulse > 0.01 ? 0.5 + (p - 0.5) / swell : p;
        // Zero samples change nothing once a0 is 0 too: no refraction edge, no colour, no transmittance.
        if (skipEmpty != 0 && a0 == 0.0) {
            int zeros = zeroSamplesAhead(q, r * (h / swell * float(volSize)));
            if (zeros > 0) {
                // Advance one step at a time, as the samples would have, so later samples land where they would.
                for (int i = 1; i < zeros; ++i) {
                    t += h;
                    p += r * h;
                }
                continue;
            }
        }
        vec4 V = textureLod(volSampler, q, 0.0);
        float delta = V.a - a0;
        float m = min(V.a, a0);
        float M = max(V.a, a0);
        a0 = V.a;
        // Bend only where the ray enters or leaves a thin, faint medium.
        if (refractionEnabled != 0 && abs(delta) > 0.005 && M < 0.5 && m < 0.005) {
            vec3 g = vec3(opacityAt(q + vec3(h, 0.0, 0.0)) - opacityAt(q - vec3(h, 0.0, 0.0)),
                          opacityAt(q + vec3(0.0, h, 0.0)) - opacityAt(q - vec3(0.0, h, 0.0)),
                          opacityAt(q + vec3(0.0, 0.0, h)) - opacityAt(q - vec3(0.0, 0.0, h)));
            if (length(g) > 0.01) {
                vec3 n = g / length(g);
                if (dot(r, n) > 0.0)
                    n = -n;
                float eta = delta > 0.0 ? 1.0 / refractionIOR : refractionIOR;
                float cosI = -dot(r, n);
                float k2 = eta * eta * (1.0 - cosI * cosI);
                if (k2 < 1.0)
                    r = normalize(eta * r + (eta * cosI - sqrt(1.0 - k2)) * n);
            }
        }
        if (V.a < 0.001)
            continue;
        // Emissive voxels shine through the GI texture, not here.
        vec3 L = textureLod(giSampler, q, 0.0).rgb;
        acc += T * V.a * (V.rgb * L);
        T *= 1.0 - V.a;
        if (T < 0.01)
            break;
    }

    if (T > 0.01) {
        vec3 e = o + d * tFar;
        int face = -1;
        float best = 1e30;
        if (e.x < 0.02 && e.x < best) { face = 0; best = e.x; }
        if (e.x > 0.98 && 1.0 - e.x < best) { face = 1; best = 1.0 - e.x; }
        if (e.y < 0.02 && e.y < best) { face = 2; best = e.y; }
        if (e.y > 0.98 && 1.0 - e.y < best) { face = 3; best = 1.0 - e.y; }
        if (e.z < 0.02 && e.z < best) { face = 4; best = e.z; }
        if (e.z > 0.98 && 1.0 - e.z < best) { face = 5; best = 1.0 - e.z; }
        if (face >= 0) {
            sVWFace F = vwFaces[face];
            float edge = 2.0 / float(volSize);
            vec3 L = textureLod(giSampler, clamp(e, vec3(edge), vec3(1.0 - edge)), 0.0).rgb;
            float em = F.emissivity * emissivityMul;
            acc += T * vec3(F.r, F.g, F.b) * (em + L);
            T = 0.0;
        }
    }
    acc += T * (haloEnabled != 0 ? halo(uv) : bgColor);
    fragColor = vec4(pow(min(acc, vec3(1.0)), vec3(1.0 / view.gamma)), 1.0);
}
