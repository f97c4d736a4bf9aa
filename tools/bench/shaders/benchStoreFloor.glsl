

layout(local_size_x = FILL_GROUP_SIZE, local_size_y = FILL_GROUP_SIZE, local_size_z = FILL_GROUP_SIZE) in;
// Lower bound for any fill: store one empty voxel into both images.
uniform int volW;
uniform int volH;
uniform int volD;
uniform float time;

void main()
{
    FILL_INIT
    writeVoxel(ipos, sVoxelDefault());
}
