

layout(local_size_x = FILL_GROUP_SIZE, local_size_y = FILL_GROUP_SIZE, local_size_z = FILL_GROUP_SIZE) in;

// Metaballs: ball 0 grows in the centre, the others spawn one by one and drift on Lissajous paths; a ball near a
// wall is mirrored through it, so the blob clings to the wall like a viscous liquid.
uniform int volW;
uniform int volH;
uniform int volD;
uniform float time;

const int BALLS = 24;
const float BASE_FALLOFF = 100.0;
const float GROW_SEC = 3.0;
const float BALL0_MOVE_SEC = 3.0;
const float SPAWN_START_SEC = 3.3;
const float SPAWN_DELAY_SEC = 1.25;

struct sBall {
    vec3 centre;
    float falloff;
    float grow;
};

// False while ball i has not spawned yet.
bool ballAt(int i, out sBall ball)
{
    float spawn = i == 0 ? 0.0 : SPAWN_START_SEC + float(i - 1) * SPAWN_DELAY_SEC;
    if (time < spawn)
        return false;
    float age = time - spawn;
    ball.grow = min(age / GROW_SEC, 1.0);
    // A young ball is a steep Gaussian, so it starts small.
    ball.falloff = BASE_FALLOFF / max(ball.grow * ball.grow, 0.01);

    uint u = uint(i);
    vec3 rest = i == 0 ? vec3(0.5)
                       : vec3(0.1) + 0.8 * vec3(hashf(u * 1619u), hashf(u * 31337u), hashf(u * 6271u));
    float freq = 0.4 + 1.2 * hashf(u * 2654435761u);
    float amp = i == 0 ? 0.20 : 0.05 + 0.10 * hashf(u * 4294967291u);
    float phase = 6.28318 * hashf(u * 123456789u);
    // Ball 0 holds still while it grows.
    float moveT = i == 0 ? max(time - BALL0_MOVE_SEC, 0.0) : age;
    float ease = min(moveT / 2.0, 1.0);
    float w = moveT * freq;
    ball.centre = rest + amp * ease * vec3(sin(w + phase), cos(0.73 * w + phase + 1.1), sin(1.31 * w + phase + 2.3));
    return true;
}

vec3 ballColour(int i)
{
    if (i == 0)
        return vec3(0.90, 0.55, 0.02);
    uint u = uint(i);
    float hue = 6.28318 * hashf(u * 777265u + 12345u);
    vec3 rgb = 0.5 + 0.5 * cos(hue + vec3(0.0, 2.0944, 4.1888));
    float mean = (rgb.r + rgb.g + rgb.b) / 3.0;
    if (mean > 0.001)
        rgb *= (0.3 + 0.4 * hashf(u * 91387u)) / mean;
    return rgb;
}

void main()
{
    FILL_INIT
    WRITE_EDGE_WIREFRAME

    float density = 0.0;
    vec3 colourSum = vec3(0.0);
    float weightSum = 0.0;
    float w0 = 0.0;
    float grow0 = 0.0;
    sBall ball;
    for (int i = 0; i < BALLS; ++i) {
        if (!ballAt(i, ball))
            continue;
        vec3 d = p - ball.centre;
        float w = exp(-dot(d, d) * ball.falloff);
        density += w;
        colourSum += ballColour(i) * w;
        weightSum += w;
        if (i == 0) {
            w0 = w;
            grow0 = ball.grow;
        }
    }

    // Mirror images add density only: the wall takes on the colour of the balls that touch it.
    float WALL = wallThickness;
    for (int i = 0; i < BALLS; ++i) {
        if (!ballAt(i, ball))
            continue;
        for (int axis = 0; axis < 3; ++axis)
            for (int side = 0; side < 2; ++side) {
                float plane = side == 0 ? WALL : 1.0 - WALL;
                if (abs(ball.centre[axis] - plane) < 0.15) {
                    vec3 mirrored = ball.centre;
                    mirrored[axis] = 2.0 * plane - ball.centre[axis];
                    vec3 d = p - mirrored;
                    density += exp(-dot(d, d) * ball.falloff);
                }
            }
    }

    density = min(density, 1.0) > 0.2 ? 1.0 : 0.0;
    vec3 colour = weightSum > 0.0 ? colourSum / weightSum : vec3(0.0);
    volWrite(ipos, vec4(colour, density));

    // Where ball 0 dominates the glow follows the square of its growth, reaching the others' factor 2 when grown.
    float peak = max(colour.r, max(colour.g, colour.b));
    float ratio0 = weightSum > 0.0 ? w0 / weightSum : 0.0;
    float emMul = 2.0 * (1.0 - ratio0) + 2.0 * grow0 * grow0 * ratio0;
    writeEmissRough(ipos, min(peak * peak * density * density * emMul * 0.8, 0.8), 1.0);
}
