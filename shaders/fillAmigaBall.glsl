

layout(local_size_x = FILL_GROUP_SIZE, local_size_y = FILL_GROUP_SIZE, local_size_z = FILL_GROUP_SIZE) in;

// Amiga ball room: a pale back wall and floor with a violet grid, and a tilted red-and-white chequered ball
// whose one flashing red patch can glow.
uniform int volW;
uniform int volH;
uniform int volD;
uniform float time;
uniform float ballX;
uniform float ballY;
uniform float ballZ;
uniform float ballRotation;
uniform float flashEmitU;
uniform int flashLatBandU;
uniform int flashLonSectorU;

// The grid is laid out for a 128-voxel volume: it starts inside the 4-voxel wireframe, one line every 17 voxels.
const int GRID_MARGIN = 4;
const int GRID_CELL = 17;
const float BALL_RADIUS = 0.22;
const float BALL_TILT = 0.4;

bool gridLine(int v)
{
    return v >= GRID_MARGIN && v <= 127 - GRID_MARGIN && (v - GRID_MARGIN) % GRID_CELL == 0;
}

void writeRoom(ivec3 pos, bool line)
{
    vec3 colour = line ? vec3(0.5, 0.3, 0.6) : vec3(0.9);
    writeVoxel(pos, sVoxel(colour.r, colour.g, colour.b, 1.0, 0.0, 1.0));
}

void main()
{
    FILL_INIT
    WRITE_EDGE_WIREFRAME

    int vx = int(fx * 128.0);
    int vy = int(fy * 128.0);
    int vz = int(fz * 128.0);

    if (fz > 1.0 - wallThickness) {
        writeRoom(ipos, gridLine(vx) || gridLine(vy));
        return;
    }
    if (fy < wallThickness) {
        // Only the back two and a half cells of the floor carry the grid.
        bool zone = vz >= 123 - int(2.5 * float(GRID_CELL));
        writeRoom(ipos, zone && (gridLine(vx) || (vz - GRID_MARGIN) % GRID_CELL == 0));
        return;
    }

    vec3 d = p - vec3(ballX, ballY, ballZ);
    if (dot(d, d) < BALL_RADIUS * BALL_RADIUS) {
        float rx = d.x * cos(BALL_TILT) - d.y * sin(BALL_TILT);
        float ry = d.x * sin(BALL_TILT) + d.y * cos(BALL_TILT);
        float rz = d.z;
        // A voxel at the very centre has no direction, and one on the axis no longitude: give them the
        // equator and longitude 0 rather than a division by zero or an undefined atan.
        float len = length(d);
        float lat = acos(len > 0.0 ? clamp(ry / len, -1.0, 1.0) : 0.0);
        float lon = (rx != 0.0 || rz != 0.0 ? atan(rz, rx) : 0.0) - ballRotation;
        int band = clamp(int(lat / 3.14159 * 8.0), 0, 7);
        lon = mod(lon, 6.28318);
        int sector = clamp(int(lon / 6.28318 * 12.0), 0, 11);
        bool red = (band + sector) % 2 == 0;
        vec3 colour = red ? vec3(0.9, 0.08, 0.08) : vec3(0.95, 0.92, 0.88);
        bool flashing = red && band == flashLatBandU && sector == flashLonSectorU;
        writeVoxel(ipos, sVoxel(colour.r, colour.g, colour.b, 1.0, flashing ? flashEmitU : 0.0, 1.0));
        return;
    }

    writeVoxel(ipos, sVoxelDefault());
}
