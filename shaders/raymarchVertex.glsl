#version 430
// One triangle that covers the whole viewport: (-1, -1), (3, -1), (-1, 3).

void main()
{
    int i = gl_VertexID;
    gl_Position = vec4(float((i & 1) * 4 - 1), float((i & 2) * 2 - 1), 0.0, 1.0);
}
