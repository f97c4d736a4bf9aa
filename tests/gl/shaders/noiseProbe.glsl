

layout(local_size_x=64) in;
// Evaluates the noise library at given points so tests can compare with a CPU computation.
struct sProbe {
    vec4 point;
    ivec4 lattice;  // _grad corner in xyz, hashf key in w
};
struct sProbeResult {
    vec4 noise;     // hashf, valueNoise, gradientNoise, fbm
    vec4 gradCurl;  // _grad, curlNoise
};
layout(std430, binding = 5) readonly buffer ProbeIn {
    sProbe probes[];
};
layout(std430, binding = 6) writeonly buffer ProbeOut {
    sProbeResult results[];
};
uniform int count;

void main()
{
    int i = int(gl_GlobalInvocationID.x);
    if (i >= count)
        return;
    vec3 q = probes[i].point.xyz;
    ivec4 l = probes[i].lattice;
    results[i].noise = vec4(hashf(uint(l.w)), valueNoise(q.x, q.y, q.z), gradientNoise(q.x, q.y, q.z), fbm(q.x, q.y, q.z));
    results[i].gradCurl = vec4(_grad(l.x, l.y, l.z, fract(q.x), fract(q.y), fract(q.z)), curlNoise(q.x, q.y, q.z));
}
