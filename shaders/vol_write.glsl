// Fill-shader library, after the Constants piece: the volume images, voxel writes and simple primitives.
// The scene body declares volW, volH, volD and time before using the macros.

layout(rgba16f, binding = VOLUME_IMAGE) uniform image3D volumeImg;
layout(rg16f, binding = EMISS_ROUGH_IMAGE) uniform image3D emissRoughImg;

struct sVoxel {
    float r;
    float g;
    float b;
    float a;
    float emissivity;
    float roughness;
};

#define FILL_INIT \
    int x = int(gl_GlobalInvocationID.x); \
    int y = int(gl_GlobalInvocationID.y); \
    int z = int(gl_GlobalInvocationID.z); \
    if (x >= volW || y >= volH || z >= volD) return; \
    ivec3 ipos = ivec3(x, y, z); \
    float fx = (float(x) + 0.5) / float(volW); \
    float fy = (float(y) + 0.5) / float(volH); \
    float fz = (float(z) + 0.5) / float(volD); \
    vec3 p = vec3(fx, fy, fz);

#define WRITE_EDGE_WIREFRAME \
    if (writeEdgeWireframe(ipos, volW, volH, volD, fx, fy, fz)) return;

sVoxel sVoxelDefault()
{
    return sVoxel(0.0, 0.0, 0.0, 0.0, 0.0, 1.0);
}

void volWrite(ivec3 pos, vec4 colour)
{
    imageStore(volumeImg, pos, colour);
}

void writeEmissRough(ivec3 pos, float e, float r)
{
    imageStore(emissRoughImg, pos, vec4(e, r, 0.0, 0.0));
}

void writeVoxel(ivec3 pos, sVoxel v)
{
    volWrite(pos, vec4(v.r, v.g, v.b, v.a));
    writeEmissRough(pos, v.emissivity, v.roughness);
}

void addPlane(ivec3 ipos, vec3 p, int w, int h, int d, int axis, int pos, sVoxel src,
              float minU, float maxU, float minV, float maxV)
{
    bool inside;
    if (axis == 1)
        inside = ipos.y == pos && p.x >= minU && p.x <= maxU && p.z >= minV && p.z <= maxV;
    else if (axis == 0)
        inside = ipos.x == pos && p.y >= minU && p.y <= maxU && p.z >= minV && p.z <= maxV;
    else
        inside = ipos.z == pos && p.x >= minU && p.x <= maxU && p.y >= minV && p.y <= maxV;
    if (inside)
        writeVoxel(ipos, src);
}

void addSphere(ivec3 ipos, vec3 p, float cx, float cy, float cz, float radius, sVoxel src)
{
    vec3 d = p - vec3(cx, cy, cz);
    if (dot(d, d) < radius * radius)
        writeVoxel(ipos, src);
}

// Rotates the offset about y, then x, then z; the half extents are strict, so a face voxel is outside.
bool addBoxRotated(ivec3 ipos, vec3 p, float cx, float cy, float cz, float hx, float hy, float hz,
                   float ax, float ay, float az, sVoxel src)
{
    vec3 d = p - vec3(cx, cy, cz);
    float rx = d.x * cos(ay) + d.z * sin(ay);
    float rz = -d.x * sin(ay) + d.z * cos(ay);
    float ry = d.y;
    float ry2 = ry * cos(ax) - rz * sin(ax);
    float rz2 = ry * sin(ax) + rz * cos(ax);
    float rx2 = rx * cos(az) - ry2 * sin(az);
    float ry3 = rx * sin(az) + ry2 * cos(az);
    if (abs(rx2) < hx && abs(ry3) < hy && abs(rz2) < hz) {
        writeVoxel(ipos, src);
        return true;
    }
    return false;
}

bool addBox(ivec3 ipos, vec3 p, float cx, float cy, float cz, float hx, float hy, float hz, sVoxel src)
{
    return addBoxRotated(ipos, p, cx, cy, cz, hx, hy, hz, 0.0, 0.0, 0.0, src);
}

bool addRotatedBoxX(ivec3 ipos, vec3 p, float cx, float cy, float cz, float hx, float hy, float hz,
                    float angleDeg, sVoxel src)
{
    return addBoxRotated(ipos, p, cx, cy, cz, hx, hy, hz, angleDeg * 3.14159265 / 180.0, 0.0, 0.0, src);
}

bool addRotatedBoxY(ivec3 ipos, vec3 p, float cx, float cy, float cz, float hx, float hy, float hz,
                    float angleDeg, sVoxel src)
{
    return addBoxRotated(ipos, p, cx, cy, cz, hx, hy, hz, 0.0, angleDeg * 3.14159265 / 180.0, 0.0, src);
}

bool addRotatedBoxZ(ivec3 ipos, vec3 p, float cx, float cy, float cz, float hx, float hy, float hz,
                    float angleDeg, sVoxel src)
{
    return addBoxRotated(ipos, p, cx, cy, cz, hx, hy, hz, 0.0, 0.0, angleDeg * 3.14159265 / 180.0, src);
}

// Vertical cylinder; both ends are inclusive.
void addCylinder(ivec3 ipos, vec3 p, float cx, float cz, float radius, float yMin, float yMax, sVoxel src)
{
    float dx = p.x - cx;
    float dz = p.z - cz;
    if (dx * dx + dz * dz < radius * radius && p.y >= yMin && p.y <= yMax)
        writeVoxel(ipos, src);
}

// The twelve cube edges, four voxels thick, each in the colour of the nearest virtual wall.
bool writeEdgeWireframe(ivec3 ipos, int w, int h, int d, float fx, float fy, float fz)
{
    float edgeW = 4.0 / float(w);
    int nearAxes = 0;
    if (fx < edgeW || fx > 1.0 - edgeW) nearAxes++;
    if (fy < edgeW || fy > 1.0 - edgeW) nearAxes++;
    if (fz < edgeW || fz > 1.0 - edgeW) nearAxes++;
    if (nearAxes < 2)
        return false;
    int face = 0;
    float best = fx;
    if (1.0 - fx < best) { face = 1; best = 1.0 - fx; }
    if (fy < best) { face = 2; best = fy; }
    if (1.0 - fy < best) { face = 3; best = 1.0 - fy; }
    if (fz < best) { face = 4; best = fz; }
    if (1.0 - fz < best) { face = 5; best = 1.0 - fz; }
    sVWFace f = vwFaces[face];
    volWrite(ipos, vec4(f.r, f.g, f.b, 1.0));
    writeEmissRough(ipos, f.emissivity, f.roughness);
    return true;
}
