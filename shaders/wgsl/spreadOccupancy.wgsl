// One axis of the distance from each brick to the nearest marked brick, counted in bricks along the axis that
// differs most (0: marked, 255: none). Run along x, y and z in turn, each row in place by one invocation, it
// leaves every brick the distance k such that the bricks less than k from it are all unmarked.
// r and g sit in the two low bytes of an r32uint, as updateOccupancy packs them.

@group(0) @binding(0) var occupancyImg: texture_storage_3d<r32uint, read_write>;
struct SpreadOccupancyParams {
    axis: i32,
}
@group(0) @binding(2) var<uniform> params: SpreadOccupancyParams;

// The longest row it can hold; a larger volume is marched without skipping.
const MAX_BRICKS = 64;

@compute @workgroup_size(SPREAD_GROUP_SIZE, SPREAD_GROUP_SIZE)
fn main(@builtin(global_invocation_id) id: vec3u) {
    let size = vec3i(textureDimensions(occupancyImg));
    let axis = params.axis;
    let across = select(select(vec2i(0, 1), vec2i(0, 2), axis == 1), vec2i(1, 2), axis == 0);
    var start = vec3i(0);
    start[across.x] = i32(id.x);
    start[across.y] = i32(id.y);
    if (start[across.x] >= size[across.x] || start[across.y] >= size[across.y]) {
        return;
    }
    let n = min(size[axis], MAX_BRICKS);
    var along = vec3i(0);
    along[axis] = 1;
    var row: array<vec2u, MAX_BRICKS>;
    for (var i = 0; i < n; i++) {
        let packed = textureLoad(occupancyImg, start + along * i).r;
        row[i] = vec2u(packed & 255u, packed >> 8u);
    }
    for (var i = 0; i < n; i++) {
        var nearest = vec2u(255u);
        for (var j = 0; j < n; j++) {
            nearest = min(nearest, max(vec2u(u32(abs(i - j))), row[j]));
        }
        textureStore(occupancyImg, start + along * i, vec4u(nearest.x | (nearest.y << 8u), 0u, 0u, 0u));
    }
}
