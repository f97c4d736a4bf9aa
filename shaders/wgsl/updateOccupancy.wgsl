// Marks each brick of the volume: r 0 when a GI ray could hit something in it, g 0 when the raymarch's linear
// filter could see something there; 255 otherwise. spreadOccupancy then turns both into distances.
// rg8ui is no storage format in WebGPU: r and g are packed into the two low bytes of an r32uint.

@group(0) @binding(5) var volTex: texture_3d<f32>;
@group(0) @binding(0) var occupancyImg: texture_storage_3d<r32uint, write>;
struct UpdateOccupancyParams {
    volW: i32,
    brickSize: i32,
}
@group(0) @binding(2) var<uniform> params: UpdateOccupancyParams;

@compute @workgroup_size(OCCUPANCY_GROUP_SIZE, OCCUPANCY_GROUP_SIZE, OCCUPANCY_GROUP_SIZE)
fn main(@builtin(global_invocation_id) id: vec3u) {
    let brick = vec3i(id);
    if (any(brick >= vec3i(textureDimensions(occupancyImg)))) {
        return;
    }
    let lo = brick * params.brickSize;
    let hi = min(lo + params.brickSize, vec3i(params.volW)) - 1;
    // A linear sample anywhere in the brick blends voxels up to one beyond it.
    let first = max(lo - 1, vec3i(0));
    let last = min(hi + 1, vec3i(params.volW - 1));
    var seen = vec2<bool>(false);
    // Matter a ray can hit is seen by the filter as well, so the search ends there.
    for (var z = first.z; z <= last.z && !seen.x; z++) {
        for (var y = first.y; y <= last.y && !seen.x; y++) {
            for (var x = first.x; x <= last.x && !seen.x; x++) {
                let v = vec3i(x, y, z);
                let a = textureLoad(volTex, v, 0).a;
                // Written so that NaN counts as matter, as it does for the marches' own tests.
                if (!(a < 0.05) && all(v >= lo) && all(v <= hi)) {
                    seen = vec2<bool>(true);
                }
                if (a != 0.0) {
                    seen.y = true;
                }
            }
        }
    }
    textureStore(occupancyImg, brick, vec4u(select(255u, 0u, seen.x) | (select(255u, 0u, seen.y) << 8u), 0u, 0u, 0u));
}
