// Noise library for fill shaders: integer hashes, value and gradient noise, fbm and curl noise.
// Integer arithmetic wraps modulo 2^32 on purpose.

float hashf(uint x)
{
    x = ((x >> 16u) ^ x) * 0x45d9f3bu;
    x = ((x >> 16u) ^ x) * 0x45d9f3bu;
    x = (x >> 16u) ^ x;
    return float(x) * 2.3283064e-10;
}

float hash3f(int ix, int iy, int iz)
{
    return hashf(uint(ix * 1619 + iy * 31337 + iz * 6271));
}

float valueNoise(float x, float y, float z)
{
    vec3 i = floor(vec3(x, y, z));
    vec3 f = vec3(x, y, z) - i;
    vec3 u = f * f * (3.0 - 2.0 * f);
    int ix = int(i.x);
    int iy = int(i.y);
    int iz = int(i.z);
    float x00 = mix(hash3f(ix, iy, iz), hash3f(ix + 1, iy, iz), u.x);
    float x10 = mix(hash3f(ix, iy + 1, iz), hash3f(ix + 1, iy + 1, iz), u.x);
    float x01 = mix(hash3f(ix, iy, iz + 1), hash3f(ix + 1, iy, iz + 1), u.x);
    float x11 = mix(hash3f(ix, iy + 1, iz + 1), hash3f(ix + 1, iy + 1, iz + 1), u.x);
    return mix(mix(x00, x10, u.y), mix(x01, x11, u.y), u.z);
}

float _grad(int ix, int iy, int iz, float dx, float dy, float dz)
{
    uint hh = uint(ix * 1619 + iy * 31337 + iz * 6271);
    hh = hh ^ (hh >> 16u);
    hh = hh * 0x45d9f3bu;
    hh = hh ^ (hh >> 8u);
    uint g = hh & 15u;
    float u = g < 8u ? dx : dy;
    float v = g < 4u ? dy : ((g == 12u || g == 14u) ? dx : dz);
    return ((g & 1u) != 0u ? -u : u) + ((g & 2u) != 0u ? -v : v);
}

float gradientNoise(float x, float y, float z)
{
    vec3 i = floor(vec3(x, y, z));
    vec3 f = vec3(x, y, z) - i;
    vec3 u = f * f * f * (f * (f * 6.0 - 15.0) + 10.0);
    int ix = int(i.x);
    int iy = int(i.y);
    int iz = int(i.z);
    float x00 = mix(_grad(ix, iy, iz, f.x, f.y, f.z), _grad(ix + 1, iy, iz, f.x - 1.0, f.y, f.z), u.x);
    float x10 = mix(_grad(ix, iy + 1, iz, f.x, f.y - 1.0, f.z),
                    _grad(ix + 1, iy + 1, iz, f.x - 1.0, f.y - 1.0, f.z), u.x);
    float x01 = mix(_grad(ix, iy, iz + 1, f.x, f.y, f.z - 1.0),
                    _grad(ix + 1, iy, iz + 1, f.x - 1.0, f.y, f.z - 1.0), u.x);
    float x11 = mix(_grad(ix, iy + 1, iz + 1, f.x, f.y - 1.0, f.z - 1.0),
                    _grad(ix + 1, iy + 1, iz + 1, f.x - 1.0, f.y - 1.0, f.z - 1.0), u.x);
    return mix(mix(x00, x10, u.y), mix(x01, x11, u.y), u.z) * 0.5 + 0.5;
}

// Four octaves; the amplitudes sum to at most 0.910496.
float fbm(float x, float y, float z)
{
    float sum = 0.0;
    float amplitude = 0.5;
    for (int octave = 0; octave < 4; ++octave) {
        sum += amplitude * valueNoise(x, y, z);
        amplitude *= 0.48;
        x *= 2.1;
        y *= 2.1;
        z *= 2.1;
    }
    return sum;
}

// Curl of three offset fbm potentials, so the field is divergence-free.
vec3 curlNoise(float x, float y, float z)
{
    const float e = 0.01;
    float dNzdy = (fbm(x, y + e, z + 73.1) - fbm(x, y - e, z + 73.1)) / (2.0 * e);
    float dNydz = (fbm(x, y + 47.3, z + e) - fbm(x, y + 47.3, z - e)) / (2.0 * e);
    float dNxdz = (fbm(x + 31.7, y, z + e) - fbm(x + 31.7, y, z - e)) / (2.0 * e);
    float dNzdx = (fbm(x + e, y, z + 73.1) - fbm(x - e, y, z + 73.1)) / (2.0 * e);
    float dNydx = (fbm(x + e, y + 47.3, z) - fbm(x - e, y + 47.3, z)) / (2.0 * e);
    float dNxdy = (fbm(x + 31.7, y + e, z) - fbm(x + 31.7, y - e, z)) / (2.0 * e);
    return vec3(dNzdy - dNydz, dNxdz - dNzdx, dNydx - dNxdy);
}
