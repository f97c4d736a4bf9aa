

layout(local_size_x=4, local_size_y=4, local_size_z=4) in;
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
