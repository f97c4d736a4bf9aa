

layout(local_size_x=4, local_size_y=4, local_size_z=4) in;

// Samples the font library on a grid so a test can read every answer back from the volume's red channel.
// z 0-15: fontCharSample(x, u, v) with u from z, v from y; z 16-31 the codes x + 128; z 32-47 the codes x - 128;
// z 48-63: a line of length 0; z 64-79: a line of 16 characters claimed as 40.
uniform int volW;
uniform int volH;
uniform int volD;
uniform float time;

void main()
{
    FILL_INIT
    bool ink = false;
    if (y < 24) {
        int band = z / 16;
        float u = (float(z % 16) + 0.5) / 16.0;
        float v = (float(y) + 0.5) / 24.0;
        int line[16] = int[16](65, 66, 67, 68, 69, 70, 71, 72, 73, 74, 75, 76, 77, 78, 79, 80);
        float lineU = (float(x) + 0.5) / float(volW);
        if (band == 0)
            ink = fontCharSample(x, u, v);
        else if (band == 1)
            ink = fontCharSample(x + 128, u, v);
        else if (band == 2)
            ink = fontCharSample(x - 128, u, v);
        else if (band == 3)
            ink = fontTextSample(line, 0, lineU, v);
        else if (band == 4)
            ink = fontTextSample(line, 40, lineU, v);
    }
    volWrite(ipos, vec4(ink ? 1.0 : 0.0, 0.0, 0.0, 1.0));
    writeEmissRough(ipos, 0.0, 1.0);
}
