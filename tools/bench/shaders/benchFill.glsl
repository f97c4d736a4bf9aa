

layout(local_size_x=4, local_size_y=4, local_size_z=4) in;
// A representative fill: wireframe edges, a floor, an emissive sphere and fbm clouds over the whole volume.
uniform int volW;
uniform int volH;
uniform int volD;
uniform float time;

void main()
{
    FILL_INIT
    WRITE_EDGE_WIREFRAME
    sVoxel v = sVoxelDefault();
    float cloud = fbm(p.x * 5.0 + time * 0.1, p.y * 5.0, p.z * 5.0);
    if (cloud > 0.5)
        v = sVoxel(0.9, 0.9, 0.95, (cloud - 0.5) * 0.5, 0.0, 1.0);
    writeVoxel(ipos, v);
    addBox(ipos, p, 0.5, 0.04, 0.5, 0.5, 0.04, 0.5, sVoxel(0.8, 0.8, 0.8, 1.0, 0.0, 1.0));
    addSphere(ipos, p, 0.5, 0.4 + 0.1 * sin(time), 0.5, 0.1, sVoxel(1.0, 0.7, 0.4, 1.0, 8.0, 1.0));
}
