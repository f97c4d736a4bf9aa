

layout(local_size_x = FILL_GROUP_SIZE, local_size_y = FILL_GROUP_SIZE, local_size_z = FILL_GROUP_SIZE) in;

// Intro captions: right-aligned block-letter lines in a slab through the middle of the cube.
uniform int volW;
uniform int volH;
uniform int volD;
uniform float time;
uniform int textSet;

const float TXT_MARGIN = 0.03;
const float TXT_CHAR_W = (1.0 - 2.0 * TXT_MARGIN) / 12.0;  // the longest line holds 12 characters
const float TXT_HEIGHT = TXT_CHAR_W * 24.0 / 16.0;
const float TXT_GAP = 0.15 * TXT_HEIGHT;
const float TXT_Z0 = 0.44;
const float TXT_THICK = 0.12;

// Right-aligned to 1 - margin.
bool addLine(ivec3 ipos, vec3 p, int chars[16], int len, float bottom, sVoxel mat)
{
    vec3 origin = vec3(1.0 - TXT_MARGIN - float(len) * TXT_CHAR_W, bottom, TXT_Z0);
    return addText(ipos, p, chars, len, origin, float(len) * TXT_CHAR_W, TXT_HEIGHT, TXT_THICK, mat);
}

void main()
{
    FILL_INIT
    WRITE_EDGE_WIREFRAME
    // Cleared every frame: the text writes only its ink.
    writeVoxel(ipos, sVoxelDefault());

    vec3 colour = vec3(0.9);
    if (textSet == 0)
        colour = vec3(0.2, 0.4, 1.0);
    else if (textSet == 1)
        colour = vec3(1.0, 0.6, 0.1);
    else if (textSet == 2)
        colour = vec3(0.2, 0.9, 0.3);
    // The letters do not glow; the emissive x = 0 wall lights them.
    sVoxel mat = sVoxel(colour.r, colour.g, colour.b, 1.0, 0.0, 1.0);

    float h = TXT_HEIGHT;
    float g = TXT_GAP;
    float aboveLowest = TXT_MARGIN + h + g;  // bottom of the line just above the lowest one
    if (textSet == 0) {
        addLine(ipos, p, int[16](76, 85, 77, 73, 78, 65, 82, 67, 83, 0, 0, 0, 0, 0, 0, 0), 9, aboveLowest, mat);
        addLine(ipos, p, int[16](80, 82, 69, 83, 69, 78, 84, 83, 0, 0, 0, 0, 0, 0, 0, 0), 8, TXT_MARGIN, mat);
    } else if (textSet == 1) {
        addLine(ipos, p, int[16](71, 82, 73, 68, 83, 79, 77, 78, 73, 65, 0, 0, 0, 0, 0, 0), 10, aboveLowest + h + 3.0 * g, mat);
        addLine(ipos, p, int[16](81, 85, 65, 82, 84, 90, 73, 78, 69, 0, 0, 0, 0, 0, 0, 0), 9, aboveLowest, mat);
        addLine(ipos, p, int[16](72, 79, 76, 76, 79, 87, 67, 65, 83, 84, 69, 82, 0, 0, 0, 0), 12, TXT_MARGIN, mat);
    } else if (textSet == 2) {
        // An empty line separates the coder from the musician.
        float coderName = aboveLowest + h + 3.0 * g;
        addLine(ipos, p, int[16](67, 79, 68, 69, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0), 4, coderName + h + g, mat);
        addLine(ipos, p, int[16](86, 79, 82, 84, 69, 78, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0), 6, coderName, mat);
        addLine(ipos, p, int[16](77, 85, 83, 73, 67, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0), 5, aboveLowest, mat);
        addLine(ipos, p, int[16](81, 85, 69, 76, 66, 89, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0), 6, TXT_MARGIN, mat);
    }
}
