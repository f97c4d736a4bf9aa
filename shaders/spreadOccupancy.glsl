// One axis of the distance from each brick to the nearest marked brick, counted in bricks along the axis that
// differs most (0: marked, 255: none). Run along x, y and z in turn, each row in place by one invocation, it
// leaves every brick the distance k such that the bricks less than k from it are all unmarked.
layout(local_size_x = SPREAD_GROUP_SIZE, local_size_y = SPREAD_GROUP_SIZE) in;

layout(rg8ui, binding = OCCUPANCY_IMAGE) uniform uimage3D occupancyImg;
uniform int axis;

// The longest row it can hold; a larger volume is marched without skipping.
const int MAX_BRICKS = 64;

void main()
{
    ivec3 size = imageSize(occupancyImg);
    ivec2 across = axis == 0 ? ivec2(1, 2) : axis == 1 ? ivec2(0, 2) : ivec2(0, 1);
    ivec3 start = ivec3(0);
    start[across.x] = int(gl_GlobalInvocationID.x);
    start[across.y] = int(gl_GlobalInvocationID.y);
    if (start[across.x] >= size[across.x] || start[across.y] >= size[across.y])
        return;
    int n = min(size[axis], MAX_BRICKS);
    ivec3 along = ivec3(0);
    along[axis] = 1;
    uvec2 row[MAX_BRICKS];
    for (int i = 0; i < n; ++i)
        row[i] = imageLoad(occupancyImg, start + along * i).rg;
    for (int i = 0; i < n; ++i) {
        uvec2 nearest = uvec2(255u);
        for (int j = 0; j < n; ++j)
            nearest = min(nearest, max(uvec2(abs(i - j)), row[j]));
        imageStore(occupancyImg, start + along * i, uvec4(nearest, 0u, 0u));
    }
}
