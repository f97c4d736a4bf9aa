// Copies the GI buffer into the 3D texture the renderer filters.
layout(local_size_x = GI_GROUP_SIZE, local_size_y = GI_GROUP_SIZE, local_size_z = GI_GROUP_SIZE) in;

layout(std430, binding = GI_BUFFER_BINDING) readonly buffer GI {
    vec4 gi[];
};
layout(rgba32f, binding = GI_IMAGE) writeonly uniform image3D giImg;
uniform int w;

void main()
{
    ivec3 id = ivec3(gl_GlobalInvocationID);
    if (id.x >= w || id.y >= w || id.z >= w)
        return;
    imageStore(giImg, id, gi[id.x + id.y * w + id.z * w * w]);
}
