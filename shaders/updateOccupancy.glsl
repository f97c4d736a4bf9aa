#version 430
// Marks each brick of the volume that a GI ray could hit (r) and that the raymarch's linear filter could see (g):
// bit 0 for the brick itself, bit 1 for its region, the 4^3 bricks of its work group, so both marches may cross
// an empty region or brick in one jump.
layout(local_size_x = 4, local_size_y = 4, local_size_z = 4) in;

uniform sampler3D volSampler;
layout(rg8ui, binding = 0) writeonly uniform uimage3D occupancyImg;
uniform int volW;
uniform int brickSize;

shared uint regionSeen;

void main()
{
    if (gl_LocalInvocationIndex == 0u)
        regionSeen = 0u;
    memoryBarrierShared();
    barrier();
    ivec3 brick = ivec3(gl_GlobalInvocationID);
    bool inside = all(lessThan(brick, imageSize(occupancyImg)));
    ivec3 lo = brick * brickSize;
    ivec3 hi = min(lo + brickSize, ivec3(volW)) - 1;
    // A linear sample anywhere in the brick blends voxels up to one beyond it.
    ivec3 from = max(lo - 1, ivec3(0));
    ivec3 to = inside ? min(hi + 1, ivec3(volW - 1)) : from - 1;
    uvec2 seen = uvec2(0u);
    // Matter a ray can hit is seen by the filter as well, so the search ends there.
    for (int z = from.z; z <= to.z && seen.x == 0u; ++z)
        for (int y = from.y; y <= to.y && seen.x == 0u; ++y)
            for (int x = from.x; x <= to.x && seen.x == 0u; ++x) {
                ivec3 v = ivec3(x, y, z);
                float a = texelFetch(volSampler, v, 0).a;
                // Written so that NaN counts as matter, as it does for the marches' own tests.
                if (!(a < 0.05) && all(greaterThanEqual(v, lo)) && all(lessThanEqual(v, hi)))
                    seen.x = 1u;
                if (a != 0.0)
                    seen.y = 1u;
            }
    atomicOr(regionSeen, seen.x | seen.y << 1u);
    memoryBarrierShared();
    barrier();
    uvec2 region = uvec2(regionSeen & 1u, regionSeen >> 1u);
    if (inside)
        imageStore(occupancyImg, brick, uvec4(seen | region << 1u, 0u, 0u));
}
