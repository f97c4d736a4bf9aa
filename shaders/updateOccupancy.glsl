// Marks each brick of the volume: r 0 when a GI ray could hit something in it, g 0 when the raymarch's linear
// filter could see something there; 255 otherwise. spreadOccupancy then turns both into distances.
layout(local_size_x = OCCUPANCY_GROUP_SIZE, local_size_y = OCCUPANCY_GROUP_SIZE, local_size_z = OCCUPANCY_GROUP_SIZE) in;

uniform sampler3D volSampler;
layout(rg8ui, binding = OCCUPANCY_IMAGE) writeonly uniform uimage3D occupancyImg;
uniform int volW;
uniform int brickSize;

void main()
{
    ivec3 brick = ivec3(gl_GlobalInvocationID);
    if (any(greaterThanEqual(brick, imageSize(occupancyImg))))
        return;
    ivec3 lo = brick * brickSize;
    ivec3 hi = min(lo + brickSize, ivec3(volW)) - 1;
    // A linear sample anywhere in the brick blends voxels up to one beyond it.
    ivec3 from = max(lo - 1, ivec3(0));
    ivec3 to = min(hi + 1, ivec3(volW - 1));
    bvec2 seen = bvec2(false);
    // Matter a ray can hit is seen by the filter as well, so the search ends there.
    for (int z = from.z; z <= to.z && !seen.x; ++z)
        for (int y = from.y; y <= to.y && !seen.x; ++y)
            for (int x = from.x; x <= to.x && !seen.x; ++x) {
                ivec3 v = ivec3(x, y, z);
                float a = texelFetch(volSampler, v, 0).a;
                // Written so that NaN counts as matter, as it does for the marches' own tests.
                if (!(a < 0.05) && all(greaterThanEqual(v, lo)) && all(lessThanEqual(v, hi)))
                    seen = bvec2(true);
                if (a != 0.0)
                    seen.y = true;
            }
    imageStore(occupancyImg, brick, uvec4(seen.x ? 0u : 255u, seen.y ? 0u : 255u, 0u, 0u));
}
