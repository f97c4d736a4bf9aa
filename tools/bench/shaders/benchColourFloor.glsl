#version 430
// Lower bound for the raymarch: the same full-screen triangle writing one colour.
out vec4 fragColor;

void main()
{
    fragColor = vec4(0.2, 0.4, 0.6, 1.0);
}
