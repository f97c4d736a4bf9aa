

layout(local_size_x=4, local_size_y=4, local_size_z=4) in;
// Test fill: one primitive or test scene, chosen by shape, with its placement in the generic parameters.
uniform int volW;
uniform int volH;
uniform int volD;
uniform float time;
uniform int shape;
uniform float cx;
uniform float cy;
uniform float cz;
uniform float hx;
uniform float hy;
uniform float hz;
uniform float angle;

const int SHAPE_EMPTY = 0;
const int SHAPE_BOX = 1;
const int SHAPE_BOX_X = 2;
const int SHAPE_BOX_Y = 3;
const int SHAPE_BOX_Z = 4;
const int SHAPE_CYLINDER = 5;
const int SHAPE_SPHERE = 6;
const int SHAPE_PLANE = 7;
const int SHAPE_WIREFRAME = 8;
const int SHAPE_FLOOR_AND_SLAB = 9;
const int SHAPE_SHOWCASE = 10;

void main()
{
    FILL_INIT
    if (shape == SHAPE_WIREFRAME || shape == SHAPE_SHOWCASE) {
        WRITE_EDGE_WIREFRAME
    }
    writeVoxel(ipos, sVoxelDefault());
    sVoxel solid = sVoxel(1.0, 1.0, 1.0, 1.0, 0.0, 1.0);
    if (shape == SHAPE_BOX)
        addBox(ipos, p, cx, cy, cz, hx, hy, hz, solid);
    else if (shape == SHAPE_BOX_X)
        addRotatedBoxX(ipos, p, cx, cy, cz, hx, hy, hz, angle, solid);
    else if (shape == SHAPE_BOX_Y)
        addRotatedBoxY(ipos, p, cx, cy, cz, hx, hy, hz, angle, solid);
    else if (shape == SHAPE_BOX_Z)
        addRotatedBoxZ(ipos, p, cx, cy, cz, hx, hy, hz, angle, solid);
    else if (shape == SHAPE_CYLINDER)
        addCylinder(ipos, p, cx, cz, hx, hy, hz, solid);
    else if (shape == SHAPE_SPHERE)
        addSphere(ipos, p, cx, cy, cz, hx, solid);
    else if (shape == SHAPE_PLANE)
        addPlane(ipos, p, volW, volH, volD, int(angle), int(cx), solid, cy, cz, hx, hy);
    else if (shape == SHAPE_FLOOR_AND_SLAB) {
        addBox(ipos, p, 0.5, 0.125, 0.5, 0.5, 0.125, 0.5, solid);
        addBox(ipos, p, 0.5, 0.65, 0.5, 0.2, 0.06, 0.2, solid);
    } else if (shape == SHAPE_SHOWCASE) {
        addBox(ipos, p, 0.5, 0.06, 0.5, 0.5, 0.06, 0.5, sVoxel(0.8, 0.8, 0.8, 1.0, 0.0, 1.0));
        addRotatedBoxY(ipos, p, 0.42, 0.3, 0.45, 0.14, 0.18, 0.14, 25.0, sVoxel(0.3, 0.5, 0.9, 1.0, 0.0, 1.0));
        addSphere(ipos, p, 0.72, 0.25, 0.7, 0.12, sVoxel(0.9, 0.3, 0.2, 1.0, 0.0, 1.0));
        // Noise-eaten pillar: a few voxels of it are missing where fbm is high.
        if (fbm(p.x * 9.0, p.y * 9.0, p.z * 9.0) < 0.62)
            addCylinder(ipos, p, 0.25, 0.75, 0.07, 0.12, 0.7, sVoxel(0.9, 0.9, 0.85, 1.0, 0.0, 1.0));
    }
}
