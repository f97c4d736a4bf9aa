// tests/gl/volumeTestSupport.h
// Shared set-up for the volume-pipeline GL tests: programs, a small volume, the test fill, GI access and
// an off-screen draw.
#pragma once

#include <GL/glew.h>

#include <functional>
#include <vector>

// The test fill's shapes; fillTestShapes.glsl lists the parameters each one reads.
enum TestShape { shapeEmpty, shapeBox, shapeBoxZ, shapeCylinder, shapeSphere, shapePlane, shapeWireframe,
                 shapeFloorAndSlab, shapeShowcase };

// Restores the shared settings, builds the GI and raymarch programs once and (re)creates a volume of size^3.
void prepareVolume(int size);
void runTestFill(TestShape shape, const std::vector<float>& params = {});

std::vector<float> readGiBuffer();
// Every GI cell to (r, g, b, 0).
void writeGiBuffer(float r, float g, float b);

// Runs draw into a fresh width x height target cleared to 0 and reads it back as RGBA floats, bottom row first.
std::vector<float> drawOffscreen(int width, int height, const std::function<void()>& draw, GLenum format = GL_RGBA32F);
