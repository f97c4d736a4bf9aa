layout(local_size_x=4, local_size_y=4, local_size_z=4) in;

// Samples the font library on a grid read back from the red channel: y 0-23 the cell's v, z / 16 the band,
// z % 16 the cell's u. Bands: the code x, x + 128, x - 128, a line of length 0, 16 characters claimed as 40.
uniform int volW, volH, volD;

void main()
{
    FILL_INIT
    int band = z / 16;
    float u = (float(z % 16) + 0.5) / 16.0;
    float v = (float(y) + 0.5) / 24.0;
    int line[16] = int[16](65, 66, 67, 68, 69, 70, 71, 72, 73, 74, 75, 76, 77, 78, 79, 80);
    float lineU = (float(x) + 0.5) / float(volW);
    bool ink = false;
    if (y < 24 && band < 3)
        ink = fontCharSample(x + (band == 1 ? 128 : band == 2 ? -128 : 0), u, v);
    else if (y < 24 && band < 5)
        ink = fontTextSample(line, band == 3 ? 0 : 40, lineU, v);
    volWrite(ipos, vec4(ink ? 1.0 : 0.0, 0.0, 0.0, 1.0));
    writeEmissRough(ipos, 0.0, 1.0);
}
