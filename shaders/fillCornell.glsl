

layout(local_size_x = FILL_GROUP_SIZE, local_size_y = FILL_GROUP_SIZE, local_size_z = FILL_GROUP_SIZE) in;

// Cornell box contents: grey ceiling with a square light, two white boxes turned about y.
// The red, green and grey walls themselves are the virtual walls around the cube.
uniform int volW;
uniform int volH;
uniform int volD;
uniform float time;
uniform float lightIntensity;

void main()
{
    FILL_INIT
    WRITE_EDGE_WIREFRAME
    writeVoxel(ipos, sVoxelDefault());

    addPlane(ipos, p, volW, volH, volD, 1, volH - 1, sVoxel(0.76, 0.76, 0.76, 1.0, 0.0, 1.0), 0.0, 1.0, 0.0, 1.0);
    float L = lightIntensity;
    addPlane(ipos, p, volW, volH, volD, 1, volH - 1, sVoxel(L, L, 0.95 * L, 1.0, 2.0 * L, 1.0), 0.3, 0.7, 0.3, 0.7);

    sVoxel white = sVoxel(0.73, 0.73, 0.73, 1.0, 0.0, 1.0);
    addRotatedBoxY(ipos, p, 0.65, 0.275, 0.35, 0.13, 0.275, 0.13, 17.0, white);
    addRotatedBoxY(ipos, p, 0.35, 0.14, 0.65, 0.13, 0.14, 0.13, -15.0, white);
}
