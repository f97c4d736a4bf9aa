layout(local_size_x = FILL_GROUP_SIZE, local_size_y = FILL_GROUP_SIZE, local_size_z = FILL_GROUP_SIZE) in;
// Test fill: one primitive or test scene, chosen by shape, placed by the parameters in a.
uniform int volW, volH, volD;
uniform float time;
uniform int shape;
uniform float a[7];

const int SHAPE_BOX = 1, SHAPE_BOX_Z = 2, SHAPE_CYLINDER = 3, SHAPE_SPHERE = 4, SHAPE_PLANE = 5;
const int SHAPE_FLOOR_AND_SLAB = 6, SHAPE_BRICK_MIX = 7;

void main()
{
    FILL_INIT
    writeVoxel(ipos, sVoxelDefault());
    sVoxel solid = sVoxel(1.0, 1.0, 1.0, 1.0, 0.0, 1.0);
    if (shape == SHAPE_BOX)  // centre xyz, half extents xyz
        addBox(ipos, p, a[0], a[1], a[2], a[3], a[4], a[5], solid);
    else if (shape == SHAPE_BOX_Z)  // the box's six, then degrees about z
        addRotatedBoxZ(ipos, p, a[0], a[1], a[2], a[3], a[4], a[5], a[6], solid);
    else if (shape == SHAPE_CYLINDER)  // centre x, centre z, radius, y min, y max
        addCylinder(ipos, p, a[0], a[1], a[2], a[3], a[4], solid);
    else if (shape == SHAPE_SPHERE)  // centre xyz, radius
        addSphere(ipos, p, a[0], a[1], a[2], a[3], solid);
    else if (shape == SHAPE_PLANE)  // axis, layer, u min, u max, v min, v max
        addPlane(ipos, p, volW, volH, volD, int(a[0]), int(a[1]), solid, a[2], a[3], a[4], a[5]);
    else if (shape == SHAPE_FLOOR_AND_SLAB) {
        addBox(ipos, p, 0.5, 0.125, 0.5, 0.5, 0.125, 0.5, solid);
        addBox(ipos, p, 0.5, 0.65, 0.5, 0.2, 0.06, 0.2, solid);
    } else if (shape == SHAPE_BRICK_MIX) {  // brick edge b, opacity of the lone voxel, 1 for the rest
        // A lone emitter where eight bricks meet. The rest: a floor whose lowest bricks are solid, a voxel that the
        // hi-hat swell pushes across a brick face, and a glass sheet that rays leave straight into empty bricks.
        int b = int(a[0]);
        if (ipos == ivec3(2 * b - 1, 2 * b, 2 * b - 1))
            writeVoxel(ipos, sVoxel(1.0, 0.9, 0.2, a[1], 6.0, 1.0));
        if (a[2] == 0.0)
            return;
        if (ipos.y < 2 * b - 1)
            writeVoxel(ipos, sVoxel(0.5, 0.45, 0.4, 1.0, 0.0, 1.0));
        if (ipos == ivec3(volW - b - 2, 2 * b + 2, 2 * b - 1))
            writeVoxel(ipos, sVoxel(1.0, 0.0, 1.0, 1.0, 0.0, 1.0));
        if (all(greaterThan(ipos, ivec3(0, 3 * b, 0))) && all(lessThan(ipos, ivec3(volW - 1, 4 * b - 1, volW - 1))))
            writeVoxel(ipos, sVoxel(0.2, 0.4, 0.5, 0.3, 0.0, 0.5));
    }
}
