layout(local_size_x=64) in;
// Evaluates the noise library at points derived from the invocation index, for a CPU computation to match.
layout(std430, binding = 0) writeonly buffer ProbeOut {
    vec4 results[];
};

void main()
{
    int i = int(gl_GlobalInvocationID.x);
    // Multiples of 1/64 in [-100, 100), exact on both sides.
    vec3 q = (vec3(ivec3(i * 7919, i * 6271, i * 1619) % 12800) - 6400.0) / 64.0;
    results[i] = vec4(hashf(uint(i)), valueNoise(q.x, q.y, q.z), gradientNoise(q.x, q.y, q.z), fbm(q.x, q.y, q.z));
    results[256 + i] = vec4(curlNoise(q.x, q.y, q.z), 0.0);
}
