// Metaballs: ball 0 grows in the centre, the others spawn one by one and drift on Lissajous paths; a ball near a
// wall is mirrored through it, so the blob clings to the wall like a viscous liquid.
struct FillParams {
    volW: i32,
    volH: i32,
    volD: i32,
    time: f32,
}
@group(0) @binding(2) var<uniform> fill: FillParams;

const BALLS = 24;
const BASE_FALLOFF = 100.0;
const GROW_SEC = 3.0;
const BALL0_MOVE_SEC = 3.0;
const SPAWN_START_SEC = 3.3;
const SPAWN_DELAY_SEC = 1.25;

struct sBall {
    centre: vec3f,
    falloff: f32,
    grow: f32,
}

// False while ball i has not spawned yet.
fn ballAt(i: i32, ball: ptr<function, sBall>) -> bool {
    let spawn = select(SPAWN_START_SEC + f32(i - 1) * SPAWN_DELAY_SEC, 0.0, i == 0);
    if (fill.time < spawn) {
        return false;
    }
    let age = fill.time - spawn;
    (*ball).grow = min(age / GROW_SEC, 1.0);
    // A young ball is a steep Gaussian, so it starts small.
    (*ball).falloff = BASE_FALLOFF / max((*ball).grow * (*ball).grow, 0.01);

    let u = u32(i);
    let rest = select(vec3f(0.1) + 0.8 * vec3f(hashf(u * 1619u), hashf(u * 31337u), hashf(u * 6271u)),
                      vec3f(0.5), i == 0);
    let freq = 0.4 + 1.2 * hashf(u * 2654435761u);
    let amp = select(0.05 + 0.10 * hashf(u * 4294967291u), 0.20, i == 0);
    let phase = 6.28318 * hashf(u * 123456789u);
    // Ball 0 holds still while it grows.
    let moveT = select(age, max(fill.time - BALL0_MOVE_SEC, 0.0), i == 0);
    let ease = min(moveT / 2.0, 1.0);
    let w = moveT * freq;
    (*ball).centre = rest + amp * ease * vec3f(sin(w + phase), cos(0.73 * w + phase + 1.1), sin(1.31 * w + phase + 2.3));
    return true;
}

fn ballColour(i: i32) -> vec3f {
    if (i == 0) {
        return vec3f(0.90, 0.55, 0.02);
    }
    let u = u32(i);
    let hue = 6.28318 * hashf(u * 777265u + 12345u);
    var rgb = 0.5 + 0.5 * cos(hue + vec3f(0.0, 2.0944, 4.1888));
    let mean = (rgb.r + rgb.g + rgb.b) / 3.0;
    if (mean > 0.001) {
        rgb *= (0.3 + 0.4 * hashf(u * 91387u)) / mean;
    }
    return rgb;
}

@compute @workgroup_size(FILL_GROUP_SIZE, FILL_GROUP_SIZE, FILL_GROUP_SIZE)
fn main(@builtin(global_invocation_id) id: vec3u) {
    let c = fillInit(id);
    if (!c.inside || writeCellEdge(c)) {
        return;
    }
    let ipos = c.ipos;
    let p = c.p;

    var density = 0.0;
    var colourSum = vec3f(0.0);
    var weightSum = 0.0;
    var w0 = 0.0;
    var grow0 = 0.0;
    var ball: sBall;
    for (var i = 0; i < BALLS; i++) {
        if (!ballAt(i, &ball)) {
            continue;
        }
        let d = p - ball.centre;
        let w = exp(-dot(d, d) * ball.falloff);
        density += w;
        colourSum += ballColour(i) * w;
        weightSum += w;
        if (i == 0) {
            w0 = w;
            grow0 = ball.grow;
        }
    }

    // Mirror images add density only: the wall takes on the colour of the balls that touch it.
    let WALL = constants.wallThickness;
    for (var i = 0; i < BALLS; i++) {
        if (!ballAt(i, &ball)) {
            continue;
        }
        for (var axis = 0; axis < 3; axis++) {
            for (var side = 0; side < 2; side++) {
                let plane = select(1.0 - WALL, WALL, side == 0);
                if (abs(ball.centre[axis] - plane) < 0.15) {
                    var mirrored = ball.centre;
                    mirrored[axis] = 2.0 * plane - ball.centre[axis];
                    let d = p - mirrored;
                    density += exp(-dot(d, d) * ball.falloff);
                }
            }
        }
    }

    density = select(0.0, 1.0, min(density, 1.0) > 0.2);
    let colour = select(vec3f(0.0), colourSum / weightSum, weightSum > 0.0);
    volWrite(ipos, vec4f(colour, density));

    // Where ball 0 dominates the glow follows the square of its growth, reaching the others' factor 2 when grown.
    let peak = max(colour.r, max(colour.g, colour.b));
    let ratio0 = select(0.0, w0 / weightSum, weightSum > 0.0);
    let emMul = 2.0 * (1.0 - ratio0) + 2.0 * grow0 * grow0 * ratio0;
    writeEmissRough(ipos, min(peak * peak * density * density * emMul * 0.8, 0.8), 1.0);
}
