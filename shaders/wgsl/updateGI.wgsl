// Gathers the light reaching each GI cell along a few rays and blends it into the persistent GI buffer.
// Integer arithmetic wraps modulo 2^32 on purpose.

// Read and written in place: multi-bounce may see a neighbour's light of this frame or the last.
@group(0) @binding(0) var<storage, read_write> gi: array<vec4f>;

@group(0) @binding(5) var volTex: texture_3d<f32>;
// The emissivity (r) and roughness (g) that the fill stored.
@group(0) @binding(1) var emissRoughTex: texture_3d<f32>;
// Per brick, r: 0 when a ray could hit something in it, else k: the bricks nearer than k hold nothing to hit.
@group(0) @binding(6) var occupancyTex: texture_3d<u32>;
@group(0) @binding(7) var nearestSampler: sampler;

struct UpdateGiParams {
    w: i32,
    h: i32,
    d: i32,
    frameId: u32,
    blend: f32,
    raysPerFrame: i32,
    falloff: f32,
    samplingMode: i32,
    giScale: i32,
    volW: i32,
    multibounce: i32,
    opaquePassthrough: i32,
    brickSize: i32,
    skipEmpty: i32,
}
@group(0) @binding(2) var<uniform> params: UpdateGiParams;

const TWO_PI = 6.28318;

fn glslMod(x: f32, y: f32) -> f32 {
    return x - y * floor(x / y);
}

fn opacityAt(q: vec3f) -> f32 {
    return textureSampleLevel(volTex, nearestSampler, q, 0.0).a;
}

fn sphereDirection(u1: f32, phi: f32) -> vec3f {
    let cosT = 1.0 - 2.0 * u1;
    let sinT = sqrt(max(0.0, 1.0 - cosT * cosT));
    return vec3f(sinT * cos(phi), cosT, sinT * sin(phi));
}

fn hemisphereAbout(seed: u32, a: vec3f) -> vec3f {
    var q = seed;
    q ^= q >> 16u;
    q *= 0x45d9f3bu;
    q ^= q >> 16u;
    q *= 0x45d9f3bu;
    let u1 = f32(q >> 8u) / 16777216.0;
    q = q * 1664525u + 1013904223u;
    let u2 = f32(q >> 8u) / 16777216.0;
    let phi = TWO_PI * u2;
    let local = vec3f(cos(phi) * sqrt(1.0 - u1), sin(phi) * sqrt(1.0 - u1), sqrt(u1));
    let t = select(vec3f(0.0, 1.0, 0.0), vec3f(1.0, 0.0, 0.0), abs(a.x) < 0.9);
    let bx = normalize(cross(a, t));
    let by = cross(a, bx);
    return local.x * bx + local.y * by + local.z * a;
}

// Generator 3 yields a cosine-weighted direction about +y; the caller turns it into the surface frame.
fn rayDirection(g: i32, cell: vec3u, r: u32, k: u32) -> vec3f {
    let fk = f32(k);
    if (g == 0) {
        var hh = (cell.x * 73856093u) ^ (cell.y * 19349663u) ^ (cell.z * 83492791u);
        hh ^= hh >> 16u;
        hh *= 0x45d9f3bu;
        hh ^= hh >> 16u;
        hh *= 0x45d9f3bu;
        hh ^= hh >> 16u;
        let s = f32(hh & 0xFFFFu) / 65536.0;
        return sphereDirection(glslMod(s + fk * 0.61803398, 1.0), glslMod(4.0 * s + fk * 2.39996322, TWO_PI));
    }
    if (g == 1) {
        let v = (cell.x * 1619u + cell.y * 31337u + cell.z * 6271u + r * 7919u) + params.frameId * 2654435761u;
        let u1 = glslMod(fk * 0.61803398 + f32(v & 0xFFFFu) / 65536.0, 1.0);
        let u2 = glslMod(fk * 2.39996322 + f32(v >> 16u) / 65536.0, TWO_PI);
        return sphereDirection(u1, u2);
    }
    if (g == 2) {
        let s2 = (cell.x * 1619u + cell.y * 31337u + cell.z * 6271u) + k * 2654435761u;
        let f = s2 * 2654435761u;
        var a = f ^ 0x9E3779B9u;
        a ^= a >> 16u;
        a *= 0x45d9f3bu;
        a ^= a >> 16u;
        let axis = sphereDirection(f32(a & 0xFFFFu) / 65536.0, f32(a >> 16u) / 65536.0 * TWO_PI);
        return hemisphereAbout(s2 ^ f, axis);
    }
    var hh = (cell.x * 48611u) ^ (cell.y * 96769u) ^ (cell.z * 67411u);
    hh ^= hh >> 13u;
    hh *= 0x85ebca6bu;
    hh ^= hh >> 16u;
    let s = f32(hh & 0xFFFFu) / 65536.0;
    let u1 = glslMod(s + fk * 0.61803398, 1.0);
    let u2 = glslMod(3.0 * s + fk * 2.39996322, TWO_PI);
    let cosT = sqrt(u1);
    let sinT = sqrt(1.0 - u1);
    return vec3f(sinT * cos(u2), cosT, sinT * sin(u2));
}

// Stored light of the GI cell whose centre is nearest to a point (round(q * size - 0.5) = floor(q * size)),
// or nothing when multi-bounce is off.
fn storedLight(q: vec3f) -> vec3f {
    if (params.multibounce == 0) {
        return vec3f(0.0);
    }
    let size = vec3i(params.w, params.h, params.d);
    let cell = clamp(vec3i(floor(q * vec3f(size))), vec3i(0), size - 1);
    return gi[cell.x + cell.y * params.w + cell.z * params.w * params.h].rgb;
}

// How close (in voxels) a step may come to the face of an empty box and still be skipped, far above any rounding
// of P.
const BOX_MARGIN = 0.01;

struct sBoxReach {
    last: i32,
    empty: bool,
}

// The box that one occupancy fetch at step s describes: the bricks nearer than the distance read, all empty, or
// else the brick itself, occupied. Gives the last step that stays inside it and whether no ray can hit anything
// there; below s when P is too close to the faces of an empty box, or not a number.
fn lastStepInBox(P: vec3f, stepVoxels: vec3f, s: i32, vW: i32) -> sBoxReach {
    let brickSize = params.brickSize;
    let voxel = P * f32(vW);
    let brick = clamp(vec3i(voxel / f32(brickSize)), vec3i(0), vec3i(textureDimensions(occupancyTex)) - 1);
    let reach = i32(textureLoad(occupancyTex, brick, 0).r & 255u);
    let empty = reach > 0;
    let k = max(reach - 1, 0);
    // Only a skip must be exact; in an occupied brick the steps are all sampled anyway.
    let margin = select(0.0, BOX_MARGIN, empty);
    let lo = vec3f(max(brick - k, vec3i(0)) * brickSize) + margin;
    let hi = vec3f(min((brick + k + 1) * brickSize, vec3i(vW))) - margin;
    if (!(all(voxel >= lo) && all(voxel <= hi))) {
        return sBoxReach(s - 1, empty);
    }
    let bound = select(lo, hi, stepVoxels > vec3f(0.0));
    let room = select(vec3f(1e9), (bound - voxel) / stepVoxels, stepVoxels != vec3f(0.0));
    return sBoxReach(s + i32(min(room.x, min(room.y, room.z))), empty);
}

fn outsideCube(P: vec3f) -> bool {
    return any(P < vec3f(0.0)) || any(P > vec3f(1.0));
}

// The step at which a ray from c along dir ends, on a virtual wall (outside the cube) or on matter; 0 when it
// meets neither within the steps. Shading waits until after the march, which then costs a position and a fetch
// per step only.
fn rayEnd(c: vec3f, dir: vec3f, steps: i32, stepSize: f32, vW: i32) -> i32 {
    let stepVoxels = dir * (f32(vW) * stepSize);
    // The occupancy is read again only once a step leaves the box it was read for.
    var boxLast = 0;
    for (var s = 1; s <= steps; s++) {
        let dist = f32(s) * stepSize;
        let P = c + dir * dist;
        if (outsideCube(P)) {
            return s;
        }
        if (params.skipEmpty != 0 && s > boxLast) {
            let box = lastStepInBox(P, stepVoxels, s, vW);
            boxLast = box.last;
            if (box.empty && boxLast >= s) {
                s = boxLast;
                continue;
            }
        }
        if (!(textureSampleLevel(volTex, nearestSampler, P, 0.0).a < 0.05)) {
            return s;
        }
    }
    return 0;
}

// A device that allows fewer than GI_GROUP_SIZE^3 invocations a group runs thinner groups, more of them.
override giGroupDepth: u32 = GI_GROUP_SIZE;

@compute @workgroup_size(GI_GROUP_SIZE, GI_GROUP_SIZE, giGroupDepth)
fn main(@builtin(global_invocation_id) gid: vec3u) {
    let id = vec3i(gid);
    let w = params.w;
    let h = params.h;
    let d = params.d;
    if (id.x >= w || id.y >= h || id.z >= d) {
        return;
    }
    let idx = id.x + id.y * w + id.z * w * h;
    let vW = select(w * params.giScale, params.volW, params.volW > 0);
    let c = (vec3f(id) + 0.5) / vec3f(f32(w), f32(h), f32(d));

    let opaque = opacityAt(c) > 0.05;
    var surface = false;
    var n = vec3f(0.0, 1.0, 0.0);
    if (opaque) {
        let gs = 1.0 / f32(vW);
        let G = vec3f(opacityAt(c + vec3f(gs, 0.0, 0.0)) - opacityAt(c - vec3f(gs, 0.0, 0.0)),
                      opacityAt(c + vec3f(0.0, gs, 0.0)) - opacityAt(c - vec3f(0.0, gs, 0.0)),
                      opacityAt(c + vec3f(0.0, 0.0, gs)) - opacityAt(c - vec3f(0.0, 0.0, gs)));
        surface = length(G) > 0.3;
        if (surface) {
            n = -G / length(G);
        }
    }
    if (opaque && !surface) {
        // Buried in solid matter: no light reaches it; passthrough keeps what was there.
        if (params.opaquePassthrough == 0) {
            gi[idx] = vec4f(0.0);
        }
        return;
    }

    let steps = i32(1.8 * f32(vW));
    let stepSize = 1.0 / f32(vW);
    let roughCell = clamp(vec3i(c * f32(vW)), vec3i(0), vec3i(vW - 1));
    let rough = textureLoad(emissRoughTex, roughCell, 0).g;
    let cell = vec3u(id);
    var sum = vec3f(0.0);
    for (var r = 0; r < params.raysPerFrame; r++) {
        let k = params.frameId * u32(params.raysPerFrame) + u32(r);
        let g = select(params.samplingMode - 1, r % 4, params.samplingMode == 0);
        var dir = rayDirection(g, cell, u32(r), k);
        if (surface) {
            if (g == 3) {
                let t = select(vec3f(1.0, 0.0, 0.0), normalize(vec3f(-n.z, 0.0, n.x)), abs(n.y) < 0.999);
                let b = cross(n, t);
                dir = t * dir.x + n * dir.y + b * dir.z;
            } else if (dot(dir, n) < 0.0) {
                dir = -dir;
            }
            // Low roughness bends the rays towards the normal.
            if (rough < 0.99) {
                dir = normalize(dir * rough + n * (1.0 - rough));
            }
        }
        let s = rayEnd(c, dir, steps, stepSize, vW);
        if (s == 0) {
            continue;
        }
        let dist = f32(s) * stepSize;
        let P = c + dir * dist;
        let atten = 1.0 / (1.0 + params.falloff * dist * dist);
        if (outsideCube(P)) {
            var face = 5;
            if (P.x < 0.0) { face = 0; } else if (P.x > 1.0) { face = 1; } else if (P.y < 0.0) { face = 2; }
            else if (P.y > 1.0) { face = 3; } else if (P.z < 0.0) { face = 4; }
            let F = constants.vwFaces[face];
            let albedo = vec3f(F.r, F.g, F.b);
            let margin = 2.0 / f32(vW);
            let stored = storedLight(clamp(P, vec3f(margin), vec3f(1.0 - margin)));
            sum += (albedo * F.emissivity * constants.emissivityMul + albedo * stored) * atten;
        } else {
            let albedo = textureSampleLevel(volTex, nearestSampler, P, 0.0).rgb;
            let e = textureSampleLevel(emissRoughTex, nearestSampler, P, 0.0).r;
            sum += (albedo * e * constants.emissivityMul + albedo * storedLight(P)) * atten;
        }
    }
    let rays = sum / f32(params.raysPerFrame);
    gi[idx] = vec4f(gi[idx].rgb * (1.0 - params.blend) + rays * params.blend, 0.0);
}
