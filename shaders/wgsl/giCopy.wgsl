// Copies the GI buffer into the 3D texture the renderer filters.
// rgba32float cannot be filtered in core WebGPU: the texture is rgba16float, ample for light.

@group(0) @binding(1) var<storage, read> gi: array<vec4f>;
@group(0) @binding(0) var giImg: texture_storage_3d<rgba16float, write>;
struct GiCopyParams {
    w: i32,
}
@group(0) @binding(2) var<uniform> params: GiCopyParams;

// A device that allows fewer than GI_GROUP_SIZE^3 invocations a group runs thinner groups, more of them.
override giGroupDepth: u32 = GI_GROUP_SIZE;

@compute @workgroup_size(GI_GROUP_SIZE, GI_GROUP_SIZE, giGroupDepth)
fn main(@builtin(global_invocation_id) gid: vec3u) {
    let id = vec3i(gid);
    let w = params.w;
    if (id.x >= w || id.y >= w || id.z >= w) {
        return;
    }
    textureStore(giImg, id, gi[id.x + id.y * w + id.z * w * w]);
}
