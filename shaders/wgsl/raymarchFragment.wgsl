// Marches each pixel's ray through the lit volume front to back, then shades what is left with the
// virtual wall behind the cube and the background or halo.

struct sViewParams {
    rect: vec4f,
    pos: vec3f,
    fov: f32,
    fwd: vec3f,
    gamma: f32,
    right: vec3f,
    virtualW: f32,
    up: vec3f,
    cropX: f32,
}

struct ViewsUBO {
    numViews: i32,
    volSize: i32,
    renderMode: i32,
    refractionEnabled: i32,
    hihatPulse: f32,
    viewsPad0: f32,
    viewsPad1: f32,
    viewsPad2: f32,
    views: array<sViewParams, 9>,
}
@group(0) @binding(VIEWS_BINDING) var<uniform> viewsBlock: ViewsUBO;

@group(0) @binding(5) var volTex: texture_3d<f32>;
@group(0) @binding(8) var giTex: texture_3d<f32>;
// Per brick, g: 0 when a linear sample in it may see some opacity, else k: the bricks nearer than k see none.
@group(0) @binding(6) var occupancyTex: texture_3d<u32>;
@group(0) @binding(9) var linearSampler: sampler;

struct RaymarchParams {
    bgColor: vec3f,
    refractionIOR: f32,
    brickSize: i32,
    skipEmpty: i32,
    haloEnabled: i32,
    haloIntensity: f32,
    targetHeight: f32,
}
@group(0) @binding(2) var<uniform> params: RaymarchParams;

// A horizontal ellipse of light centred below the middle of the view.
fn halo(uv: vec2f) -> vec3f {
    let cx = uv.x - 0.5;
    let cy = uv.y - 0.3;
    let r2 = 2.0 * cx * cx + cy * cy;
    return params.bgColor * exp(-6.0 * r2) * 0.65 * params.haloIntensity;
}

fn volumeAt(q: vec3f) -> vec4f {
    return textureSampleLevel(volTex, linearSampler, q, 0.0);
}

fn opacityAt(q: vec3f) -> f32 {
    return volumeAt(q).a;
}

// How many samples, from this one at q on with q advancing stepVoxels voxels per step, are certainly exactly 0:
// they stay inside the bricks nearer than the distance read, where samples blend only voxels of opacity 0. A box's
// samples stay zero up to half a voxel beyond it, far more than the rounding of the march. 0 when this sample must
// be taken.
fn zeroSamplesAhead(q: vec3f, stepVoxels: vec3f) -> i32 {
    let volSize = viewsBlock.volSize;
    let brickSize = params.brickSize;
    let voxel = q * f32(volSize);
    let brick = clamp(vec3i(voxel / f32(brickSize)), vec3i(0), vec3i(textureDimensions(occupancyTex)) - 1);
    let reach = i32((textureLoad(occupancyTex, brick, 0).r >> 8u) & 255u);
    if (reach == 0) {
        return 0;
    }
    let lo = vec3f(max(brick - (reach - 1), vec3i(0)) * brickSize);
    let hi = vec3f(min((brick + reach) * brickSize, vec3i(volSize)));
    // Written so that a NaN position is sampled.
    if (!(all(voxel >= lo) && all(voxel <= hi))) {
        return 0;
    }
    let bound = select(lo, hi, stepVoxels > vec3f(0.0));
    let room = select(vec3f(1e9), (bound - voxel) / stepVoxels, stepVoxels != vec3f(0.0));
    return i32(min(room.x, min(room.y, room.z))) + 1;
}

@fragment
fn fragmentMain(@builtin(position) fragCoord: vec4f) -> @location(0) vec4f {
    // The views' rectangles count pixels up from the bottom, as the framebuffer does in GL.
    let px = fragCoord.x;
    let py = params.targetHeight - fragCoord.y;
    var viewIndex = -1;
    var lx = 0.0;
    var ly = 0.0;
    for (var i = 0; i < viewsBlock.numViews; i++) {
        let rect = viewsBlock.views[i].rect;
        lx = px - rect.x;
        ly = py - rect.y;
        if (lx < 0.0 || lx >= rect.z || ly < 0.0 || ly >= rect.w) {
            continue;
        }
        viewIndex = i;
        break;
    }
    if (viewIndex < 0) {
        return vec4f(0.0);
    }
    let view = viewsBlock.views[viewIndex];
    let rect = view.rect;

    let rayW = select(rect.z, view.virtualW, view.virtualW > 0.0);
    let rayX = lx + view.cropX;
    let s = tan(view.fov * 0.5);
    let u = (2.0 * rayX / rayW - 1.0) * s;
    let v = (2.0 * ly / rect.w - 1.0) * s * rect.w / rayW;
    let d = normalize(view.fwd + u * view.right + v * view.up);
    let o = view.pos;

    let inverse = vec3f(select(1.0 / d.x, 1e8, abs(d.x) < 1e-8), select(1.0 / d.y, 1e8, abs(d.y) < 1e-8),
                        select(1.0 / d.z, 1e8, abs(d.z) < 1e-8));
    let t0 = -o * inverse;
    let t1 = (1.0 - o) * inverse;
    let tMin = min(t0, t1);
    let tMax = max(t0, t1);
    var tNear = max(max(tMin.x, tMin.y), tMin.z);
    let tFar = min(min(tMax.x, tMax.y), tMax.z);
    let uv = vec2f(lx / rect.z, ly / rect.w);

    if (tNear > tFar || tFar < 0.0) {
        if (params.haloEnabled != 0) {
            let dither = fract(sin(px * 12.9898 + py * 78.233) * 43758.5453) / 255.0;
            return vec4f(halo(uv) + dither, 1.0);
        }
        return vec4f(params.bgColor, 1.0);
    }
    tNear = max(tNear, 0.0);
    if (constants.forceBlack > 0.5) {
        return vec4f(0.0, 0.0, 0.0, 1.0);
    }

    let volSize = viewsBlock.volSize;
    let hihatPulse = viewsBlock.hihatPulse;
    var acc = vec3f(0.0);
    var T = 1.0;
    let h = 1.0 / f32(volSize);
    var seed = u32(px) * 1973u + u32(py) * 9277u + 6133u;
    seed = (seed ^ (seed >> 13u)) * 1274126177u;
    let jitter = f32(seed & 0xFFFFu) / 65535.0;
    var p = o + d * (tNear + h * jitter);
    var r = d;
    var a0 = 0.0;
    // The swell scales the sample point about the centre, and with it the march's steps in sample space.
    let swell = select(1.0, 1.0 + 0.12 * hihatPulse, hihatPulse > 0.01);
    var t = tNear;
    loop {
        if (!(t < tFar)) {
            break;
        }
        let q = select(p, 0.5 + (p - 0.5) / swell, hihatPulse > 0.01);
        // Zero samples change nothing once a0 is 0 too: no refraction edge, no colour, no transmittance.
        if (params.skipEmpty != 0 && a0 == 0.0) {
            let zeros = zeroSamplesAhead(q, r * (h / swell * f32(volSize)));
            if (zeros > 0) {
                // Advance one step at a time, as the samples would have, so later samples land where they would.
                for (var i = 1; i < zeros; i++) {
                    t += h;
                    p += r * h;
                }
                continue;
            }
        }
        let V = volumeAt(q);
        let delta = V.a - a0;
        let m = min(V.a, a0);
        let M = max(V.a, a0);
        a0 = V.a;
        // Bend only where the ray enters or leaves a thin, faint medium.
        if (viewsBlock.refractionEnabled != 0 && abs(delta) > 0.005 && M < 0.5 && m < 0.005) {
            let g = vec3f(opacityAt(q + vec3f(h, 0.0, 0.0)) - opacityAt(q - vec3f(h, 0.0, 0.0)),
                          opacityAt(q + vec3f(0.0, h, 0.0)) - opacityAt(q - vec3f(0.0, h, 0.0)),
                          opacityAt(q + vec3f(0.0, 0.0, h)) - opacityAt(q - vec3f(0.0, 0.0, h)));
            if (length(g) > 0.01) {
                var n = g / length(g);
                if (dot(r, n) > 0.0) {
                    n = -n;
                }
                let eta = select(params.refractionIOR, 1.0 / params.refractionIOR, delta > 0.0);
                let cosI = -dot(r, n);
                let k2 = eta * eta * (1.0 - cosI * cosI);
                if (k2 < 1.0) {
                    r = normalize(eta * r + (eta * cosI - sqrt(1.0 - k2)) * n);
                }
            }
        }
        if (V.a < 0.001) {
            continue;
        }
        // Emissive voxels shine through the GI texture, not here.
        let L = textureSampleLevel(giTex, linearSampler, q, 0.0).rgb;
        acc += T * V.a * (V.rgb * L);
        T *= 1.0 - V.a;
        if (T < 0.01) {
            break;
        }
        continuing {
            t += h;
            p += r * h;
        }
    }

    if (T > 0.01) {
        let e = o + d * tFar;
        var face = -1;
        var best = 1e30;
        if (e.x < 0.02 && e.x < best) { face = 0; best = e.x; }
        if (e.x > 0.98 && 1.0 - e.x < best) { face = 1; best = 1.0 - e.x; }
        if (e.y < 0.02 && e.y < best) { face = 2; best = e.y; }
        if (e.y > 0.98 && 1.0 - e.y < best) { face = 3; best = 1.0 - e.y; }
        if (e.z < 0.02 && e.z < best) { face = 4; best = e.z; }
        if (e.z > 0.98 && 1.0 - e.z < best) { face = 5; best = 1.0 - e.z; }
        if (face >= 0) {
            let F = constants.vwFaces[face];
            let edge = 2.0 / f32(volSize);
            let L = textureSampleLevel(giTex, linearSampler, clamp(e, vec3f(edge), vec3f(1.0 - edge)), 0.0).rgb;
            let em = F.emissivity * constants.emissivityMul;
            acc += T * vec3f(F.r, F.g, F.b) * (em + L);
            T = 0.0;
        }
    }
    acc += T * select(params.bgColor, halo(uv), params.haloEnabled != 0);
    return vec4f(pow(min(acc, vec3f(1.0)), vec3f(1.0 / view.gamma)), 1.0);
}
