// Amiga ball room: a pale back wall and floor with a violet grid, and a tilted red-and-white chequered ball
// whose one flashing red patch can glow.
struct FillParams {
    volW: i32,
    volH: i32,
    volD: i32,
    time: f32,
    ballX: f32,
    ballY: f32,
    ballZ: f32,
    ballRotation: f32,
    flashEmitU: f32,
    flashLatBandU: i32,
    flashLonSectorU: i32,
}
@group(0) @binding(2) var<uniform> fill: FillParams;

// The grid is laid out for a 128-voxel volume: it starts inside the 4-voxel wireframe, one line every 17 voxels.
const GRID_MARGIN = 4;
const GRID_CELL = 17;
const BALL_RADIUS = 0.22;
const BALL_TILT = 0.4;

fn gridLine(v: i32) -> bool {
    return v >= GRID_MARGIN && v <= 127 - GRID_MARGIN && (v - GRID_MARGIN) % GRID_CELL == 0;
}

fn writeRoom(pos: vec3i, line: bool) {
    let colour = select(vec3f(0.9), vec3f(0.5, 0.3, 0.6), line);
    writeVoxel(pos, sVoxel(colour.r, colour.g, colour.b, 1.0, 0.0, 1.0));
}

@compute @workgroup_size(FILL_GROUP_SIZE, FILL_GROUP_SIZE, FILL_GROUP_SIZE)
fn main(@builtin(global_invocation_id) id: vec3u) {
    let c = fillInit(id);
    if (!c.inside || writeCellEdge(c)) {
        return;
    }
    let ipos = c.ipos;
    let p = c.p;

    let vx = i32(c.fx * 128.0);
    let vy = i32(c.fy * 128.0);
    let vz = i32(c.fz * 128.0);

    if (c.fz > 1.0 - constants.wallThickness) {
        writeRoom(ipos, gridLine(vx) || gridLine(vy));
        return;
    }
    if (c.fy < constants.wallThickness) {
        // Only the back two and a half cells of the floor carry the grid.
        let zone = vz >= 123 - i32(2.5 * f32(GRID_CELL));
        writeRoom(ipos, zone && (gridLine(vx) || (vz - GRID_MARGIN) % GRID_CELL == 0));
        return;
    }

    let d = p - vec3f(fill.ballX, fill.ballY, fill.ballZ);
    if (dot(d, d) < BALL_RADIUS * BALL_RADIUS) {
        let rx = d.x * cos(BALL_TILT) - d.y * sin(BALL_TILT);
        let ry = d.x * sin(BALL_TILT) + d.y * cos(BALL_TILT);
        let rz = d.z;
        // A voxel at the very centre has no direction, and one on the axis no longitude: give them the
        // equator and longitude 0 rather than a division by zero or an undefined atan.
        let len = length(d);
        let lat = acos(select(0.0, clamp(ry / len, -1.0, 1.0), len > 0.0));
        var lon = select(0.0, atan2(rz, rx), rx != 0.0 || rz != 0.0) - fill.ballRotation;
        let band = clamp(i32(lat / 3.14159 * 8.0), 0, 7);
        // GLSL's mod: the remainder takes the divisor's sign.
        lon = lon - 6.28318 * floor(lon / 6.28318);
        let sector = clamp(i32(lon / 6.28318 * 12.0), 0, 11);
        let red = (band + sector) % 2 == 0;
        let colour = select(vec3f(0.95, 0.92, 0.88), vec3f(0.9, 0.08, 0.08), red);
        let flashing = red && band == fill.flashLatBandU && sector == fill.flashLonSectorU;
        writeVoxel(ipos, sVoxel(colour.r, colour.g, colour.b, 1.0, select(0.0, fill.flashEmitU, flashing), 1.0));
        return;
    }

    writeVoxel(ipos, sVoxelDefault());
}
