// Gathers the light reaching each GI cell along a few rays and blends it into the persistent GI buffer.
// Integer arithmetic wraps modulo 2^32 on purpose.
layout(local_size_x = GI_GROUP_SIZE, local_size_y = GI_GROUP_SIZE, local_size_z = GI_GROUP_SIZE) in;

// Read and written in place: multi-bounce may see a neighbour's light of this frame or the last.
layout(std430, binding = GI_BUFFER_BINDING) buffer GI {
    vec4 gi[];
};

uniform sampler3D volSampler;
layout(rg16f, binding = EMISS_ROUGH_IMAGE) readonly uniform image3D emissRoughImg;
uniform sampler3D emissRoughSampler;
// Per brick, r: 0 when a ray could hit something in it, else k: the bricks nearer than k hold nothing to hit.
uniform usampler3D occupancySampler;

uniform int w;
uniform int h;
uniform int d;
uniform uint frameId;
uniform float blend;
uniform int raysPerFrame;
uniform float falloff;
uniform int samplingMode;
uniform int giScale;
uniform int volW;
uniform int multibounce;
uniform int opaquePassthrough;
uniform int brickSize;
uniform int skipEmpty;

const float TWO_PI = 6.28318;

float opacityAt(vec3 q)
{
    return textureLod(volSampler, q, 0.0).a;
}

vec3 sphereDirection(float u1, float phi)
{
    float cosT = 1.0 - 2.0 * u1;
    float sinT = sqrt(max(0.0, 1.0 - cosT * cosT));
    return vec3(sinT * cos(phi), cosT, sinT * sin(phi));
}

vec3 hemisphereAbout(uint q, vec3 a)
{
    q ^= q >> 16u;
    q *= 0x45d9f3bu;
    q ^= q >> 16u;
    q *= 0x45d9f3bu;
    float u1 = float(q >> 8u) / 16777216.0;
    q = q * 1664525u + 1013904223u;
    float u2 = float(q >> 8u) / 16777216.0;
    float phi = TWO_PI * u2;
    vec3 local = vec3(cos(phi) * sqrt(1.0 - u1), sin(phi) * sqrt(1.0 - u1), sqrt(u1));
    vec3 t = abs(a.x) < 0.9 ? vec3(1.0, 0.0, 0.0) : vec3(0.0, 1.0, 0.0);
    vec3 bx = normalize(cross(a, t));
    vec3 by = cross(a, bx);
    return local.x * bx + local.y * by + local.z * a;
}

// Generator 3 yields a cosine-weighted direction about +y; the caller turns it into the surface frame.
vec3 rayDirection(int g, uvec3 cell, uint r, uint k)
{
    float fk = float(k);
    if (g == 0) {
        uint hh = (cell.x * 73856093u) ^ (cell.y * 19349663u) ^ (cell.z * 83492791u);
        hh ^= hh >> 16u;
        hh *= 0x45d9f3bu;
        hh ^= hh >> 16u;
        hh *= 0x45d9f3bu;
        hh ^= hh >> 16u;
        float s = float(hh & 0xFFFFu) / 65536.0;
        return sphereDirection(mod(s + fk * 0.61803398, 1.0), mod(4.0 * s + fk * 2.39996322, TWO_PI));
    }
    if (g == 1) {
        uint v = (cell.x * 1619u + cell.y * 31337u + cell.z * 6271u + r * 7919u) + frameId * 2654435761u;
        float u1 = mod(fk * 0.61803398 + float(v & 0xFFFFu) / 65536.0, 1.0);
        float u2 = mod(fk * 2.39996322 + float(v >> 16u) / 65536.0, TWO_PI);
        return sphereDirection(u1, u2);
    }
    if (g == 2) {
        uint s2 = (cell.x * 1619u + cell.y * 31337u + cell.z * 6271u) + k * 2654435761u;
        uint f = s2 * 2654435761u;
        uint a = f ^ 0x9E3779B9u;
        a ^= a >> 16u;
        a *= 0x45d9f3bu;
        a ^= a >> 16u;
        vec3 axis = sphereDirection(float(a & 0xFFFFu) / 65536.0, float(a >> 16u) / 65536.0 * TWO_PI);
        return hemisphereAbout(s2 ^ f, axis);
    }
    uint hh = (cell.x * 48611u) ^ (cell.y * 96769u) ^ (cell.z * 67411u);
    hh ^= hh >> 13u;
    hh *= 0x85ebca6bu;
    hh ^= hh >> 16u;
    float s = float(hh & 0xFFFFu) / 65536.0;
    float u1 = mod(s + fk * 0.61803398, 1.0);
    float u2 = mod(3.0 * s + fk * 2.39996322, TWO_PI);
    float cosT = sqrt(u1);
    float sinT = sqrt(1.0 - u1);
    return vec3(sinT * cos(u2), cosT, sinT * sin(u2));
}

// Stored light of the GI cell whose centre is nearest to a point (round(q * size - 0.5) = floor(q * size)),
// or nothing when multi-bounce is off.
vec3 storedLight(vec3 q)
{
    if (multibounce == 0)
        return vec3(0.0);
    ivec3 size = ivec3(w, h, d);
    ivec3 cell = clamp(ivec3(floor(q * vec3(size))), ivec3(0), size - 1);
    return gi[cell.x + cell.y * w + cell.z * w * h].rgb;
}

// How close (in voxels) a step may come to the face of an empty box and still be skipped, far above any rounding
// of P.
const float BOX_MARGIN = 0.01;

// The box that one occupancy fetch at step s describes: the bricks nearer than the distance read, all empty, or
// else the brick itself, occupied. Returns the last step that stays inside it and whether no ray can hit anything
// there; below s when P is too close to the faces of an empty box, or not a number.
int lastStepInBox(vec3 P, vec3 stepVoxels, int s, int vW, out bool empty)
{
    precise vec3 voxel = P * float(vW);
    ivec3 brick = clamp(ivec3(voxel / float(brickSize)), ivec3(0), textureSize(occupancySampler, 0) - 1);
    int reach = int(texelFetch(occupancySampler, brick, 0).r);
    empty = reach > 0;
    int k = max(reach - 1, 0);
    // Only a skip must be exact; in an occupied brick the steps are all sampled anyway.
    float margin = empty ? BOX_MARGIN : 0.0;
    vec3 lo = vec3(max(brick - k, 0) * brickSize) + margin;
    vec3 hi = vec3(min((brick + k + 1) * brickSize, ivec3(vW))) - margin;
    if (!(all(greaterThanEqual(voxel, lo)) && all(lessThanEqual(voxel, hi))))
        return s - 1;
    vec3 bound = mix(lo, hi, greaterThan(stepVoxels, vec3(0.0)));
    precise vec3 room = mix(vec3(1e9), (bound - voxel) / stepVoxels, notEqual(stepVoxels, vec3(0.0)));
    return s + int(min(room.x, min(room.y, room.z)));
}

bool outsideCube(vec3 P)
{
    return any(lessThan(P, vec3(0.0))) || any(greaterThan(P, vec3(1.0)));
}

// The step at which a ray from c along dir ends, on a virtual wall (outside the cube) or on matter; 0 when it
// meets neither within the steps. Shading waits until after the march, which then costs a position and a fetch
// per step only. The positions are precise: a compiler that contracted one path's arithmetic and not the other's
// could land a skip and a step on different sides of a box face.
int rayEnd(vec3 c, vec3 dir, int steps, float stepSize, int vW)
{
    precise vec3 stepVoxels = dir * (float(vW) * stepSize);
    // The occupancy is read again only once a step leaves the box it was read for.
    int boxLast = 0;
    for (int s = 1; s <= steps; ++s) {
        precise float dist = float(s) * stepSize;
        precise vec3 P = c + dir * dist;
        if (outsideCube(P))
            return s;
        if (skipEmpty != 0 && s > boxLast) {
            bool empty;
            boxLast = lastStepInBox(P, stepVoxels, s, vW, empty);
            if (empty && boxLast >= s) {
                s = boxLast;
                continue;
            }
        }
        if (!(textureLod(volSampler, P, 0.0).a < 0.05))
            return s;
    }
    return 0;
}

void main()
{
    ivec3 id = ivec3(gl_GlobalInvocationID);
    if (id.x >= w || id.y >= h || id.z >= d)
        return;
    int idx = id.x + id.y * w + id.z * w * h;
    int vW = volW > 0 ? volW : w * giScale;
    vec3 c = (vec3(id) + 0.5) / vec3(w, h, d);

    bool opaque = opacityAt(c) > 0.05;
    bool surface = false;
    vec3 n = vec3(0.0, 1.0, 0.0);
    if (opaque) {
        float gs = 1.0 / float(vW);
        vec3 G = vec3(opacityAt(c + vec3(gs, 0.0, 0.0)) - opacityAt(c - vec3(gs, 0.0, 0.0)),
                      opacityAt(c + vec3(0.0, gs, 0.0)) - opacityAt(c - vec3(0.0, gs, 0.0)),
                      opacityAt(c + vec3(0.0, 0.0, gs)) - opacityAt(c - vec3(0.0, 0.0, gs)));
        surface = length(G) > 0.3;
        if (surface)
            n = -G / length(G);
    }
    if (opaque && !surface) {
        // Buried in solid matter: no light reaches it; passthrough keeps what was there.
        if (opaquePassthrough == 0)
            gi[idx] = vec4(0.0);
        return;
    }

    int steps = int(1.8 * float(vW));
    float stepSize = 1.0 / float(vW);
    ivec3 roughCell = clamp(ivec3(c * float(vW)), ivec3(0), ivec3(vW - 1));
    float rough = imageLoad(emissRoughImg, roughCell).g;
    uvec3 cell = uvec3(id);
    vec3 sum = vec3(0.0);
    for (int r = 0; r < raysPerFrame; ++r) {
        uint k = frameId * uint(raysPerFrame) + uint(r);
        int g = samplingMode == 0 ? r % 4 : samplingMode - 1;
        vec3 dir = rayDirection(g, cell, uint(r), k);
        if (surface) {
            if (g == 3) {
                vec3 t = abs(n.y) < 0.999 ? normalize(vec3(-n.z, 0.0, n.x)) : vec3(1.0, 0.0, 0.0);
                vec3 b = cross(n, t);
                dir = t * dir.x + n * dir.y + b * dir.z;
            } else if (dot(dir, n) < 0.0) {
                dir = -dir;
            }
            // Low roughness bends the rays towards the normal.
            if (rough < 0.99)
                dir = normalize(dir * rough + n * (1.0 - rough));
        }
        int s = rayEnd(c, dir, steps, stepSize, vW);
        if (s == 0)
            continue;
        precise float dist = float(s) * stepSize;
        precise vec3 P = c + dir * dist;
        float atten = 1.0 / (1.0 + falloff * dist * dist);
        if (outsideCube(P)) {
            int face = P.x < 0.0 ? 0 : P.x > 1.0 ? 1 : P.y < 0.0 ? 2 : P.y > 1.0 ? 3 : P.z < 0.0 ? 4 : 5;
            sVWFace F = vwFaces[face];
            vec3 albedo = vec3(F.r, F.g, F.b);
            float margin = 2.0 / float(vW);
            vec3 stored = storedLight(clamp(P, vec3(margin), vec3(1.0 - margin)));
            sum += (albedo * F.emissivity * emissivityMul + albedo * stored) * atten;
        } else {
            vec3 albedo = textureLod(volSampler, P, 0.0).rgb;
            float e = textureLod(emissRoughSampler, P, 0.0).r;
            sum += (albedo * e * emissivityMul + albedo * storedLight(P)) * atten;
        }
    }
    vec3 rays = sum / float(raysPerFrame);
    gi[idx] = vec4(gi[idx].rgb * (1.0 - blend) + rays * blend, 0.0);
}
