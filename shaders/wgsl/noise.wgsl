// Noise library for fill shaders: integer hashes, value and gradient noise, fbm and curl noise.
// Integer arithmetic wraps modulo 2^32 on purpose: WGSL's runtime i32 and u32 operations wrap as GLSL's do.

fn hashf(xIn: u32) -> f32 {
    var x = xIn;
    x = ((x >> 16u) ^ x) * 0x45d9f3bu;
    x = ((x >> 16u) ^ x) * 0x45d9f3bu;
    x = (x >> 16u) ^ x;
    return f32(x) * 2.3283064e-10;
}

fn hash3f(ix: i32, iy: i32, iz: i32) -> f32 {
    return hashf(bitcast<u32>(ix * 1619 + iy * 31337 + iz * 6271));
}

fn valueNoise(x: f32, y: f32, z: f32) -> f32 {
    let i = floor(vec3f(x, y, z));
    let f = vec3f(x, y, z) - i;
    let u = f * f * (3.0 - 2.0 * f);
    let ix = i32(i.x);
    let iy = i32(i.y);
    let iz = i32(i.z);
    let x00 = mix(hash3f(ix, iy, iz), hash3f(ix + 1, iy, iz), u.x);
    let x10 = mix(hash3f(ix, iy + 1, iz), hash3f(ix + 1, iy + 1, iz), u.x);
    let x01 = mix(hash3f(ix, iy, iz + 1), hash3f(ix + 1, iy, iz + 1), u.x);
    let x11 = mix(hash3f(ix, iy + 1, iz + 1), hash3f(ix + 1, iy + 1, iz + 1), u.x);
    return mix(mix(x00, x10, u.y), mix(x01, x11, u.y), u.z);
}

fn _grad(ix: i32, iy: i32, iz: i32, dx: f32, dy: f32, dz: f32) -> f32 {
    var hh = bitcast<u32>(ix * 1619 + iy * 31337 + iz * 6271);
    hh = hh ^ (hh >> 16u);
    hh = hh * 0x45d9f3bu;
    hh = hh ^ (hh >> 8u);
    let g = hh & 15u;
    let u = select(dy, dx, g < 8u);
    let v = select(select(dz, dx, g == 12u || g == 14u), dy, g < 4u);
    return select(u, -u, (g & 1u) != 0u) + select(v, -v, (g & 2u) != 0u);
}

fn gradientNoise(x: f32, y: f32, z: f32) -> f32 {
    let i = floor(vec3f(x, y, z));
    let f = vec3f(x, y, z) - i;
    let u = f * f * f * (f * (f * 6.0 - 15.0) + 10.0);
    let ix = i32(i.x);
    let iy = i32(i.y);
    let iz = i32(i.z);
    let x00 = mix(_grad(ix, iy, iz, f.x, f.y, f.z), _grad(ix + 1, iy, iz, f.x - 1.0, f.y, f.z), u.x);
    let x10 = mix(_grad(ix, iy + 1, iz, f.x, f.y - 1.0, f.z),
                  _grad(ix + 1, iy + 1, iz, f.x - 1.0, f.y - 1.0, f.z), u.x);
    let x01 = mix(_grad(ix, iy, iz + 1, f.x, f.y, f.z - 1.0),
                  _grad(ix + 1, iy, iz + 1, f.x - 1.0, f.y, f.z - 1.0), u.x);
    let x11 = mix(_grad(ix, iy + 1, iz + 1, f.x, f.y - 1.0, f.z - 1.0),
                  _grad(ix + 1, iy + 1, iz + 1, f.x - 1.0, f.y - 1.0, f.z - 1.0), u.x);
    return mix(mix(x00, x10, u.y), mix(x01, x11, u.y), u.z) * 0.5 + 0.5;
}

// Four octaves; the amplitudes sum to at most 0.910496.
fn fbm(xIn: f32, yIn: f32, zIn: f32) -> f32 {
    var x = xIn;
    var y = yIn;
    var z = zIn;
    var sum = 0.0;
    var amplitude = 0.5;
    for (var octave = 0; octave < 4; octave++) {
        sum += amplitude * valueNoise(x, y, z);
        amplitude *= 0.48;
        x *= 2.1;
        y *= 2.1;
        z *= 2.1;
    }
    return sum;
}

// Curl of three offset fbm potentials, so the field is divergence-free.
fn curlNoise(x: f32, y: f32, z: f32) -> vec3f {
    let e = 0.01;
    let dNzdy = (fbm(x, y + e, z + 73.1) - fbm(x, y - e, z + 73.1)) / (2.0 * e);
    let dNydz = (fbm(x, y + 47.3, z + e) - fbm(x, y + 47.3, z - e)) / (2.0 * e);
    let dNxdz = (fbm(x + 31.7, y, z + e) - fbm(x + 31.7, y, z - e)) / (2.0 * e);
    let dNzdx = (fbm(x + e, y, z + 73.1) - fbm(x - e, y, z + 73.1)) / (2.0 * e);
    let dNydx = (fbm(x + e, y + 47.3, z) - fbm(x - e, y + 47.3, z)) / (2.0 * e);
    let dNxdy = (fbm(x + 31.7, y + e, z) - fbm(x + 31.7, y - e, z)) / (2.0 * e);
    return vec3f(dNzdy - dNydz, dNxdz - dNzdx, dNydx - dNxdy);
}
