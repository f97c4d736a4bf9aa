// tests/gl/volumeTestSupport.h
// Shared set-up for the volume-pipeline GL tests: programs, a small volume, the test fill, GI access and
// an off-screen target.
#pragma once

#include <GL/glew.h>

#include <functional>
#include <vector>

#include "gpu/fillDispatch.h"

enum TestShape {
    shapeEmpty = 0,
    shapeBox = 1,
    shapeBoxX = 2,
    shapeBoxY = 3,
    shapeBoxZ = 4,
    shapeCylinder = 5,
    shapeSphere = 6,
    shapePlane = 7,
    shapeWireframe = 8,
    shapeFloorAndSlab = 9,
    shapeShowcase = 10
};

struct ShapeParams {
    float cx = 0.5f, cy = 0.5f, cz = 0.5f;
    float hx = 0.25f, hy = 0.25f, hz = 0.25f;
    float angle = 0.0f;
};

// Restores the shared settings, builds the GI and raymarch programs once and (re)creates a volume of size^3.
void prepareVolume(int size);
void runTestFill(TestShape shape, const ShapeParams& params = {});

std::vector<float> readGiBuffer();
void writeGiBuffer(float value);

// One RGBA32F colour attachment; bound as the draw target while alive.
class cTestTarget {
public:
    cTestTarget(int width, int height, GLenum format = GL_RGBA32F);
    ~cTestTarget();
    cTestTarget(const cTestTarget&) = delete;
    cTestTarget& operator=(const cTestTarget&) = delete;
    std::vector<float> readPixels() const;  // bottom row first
    int width, height;

private:
    GLuint framebuffer = 0;
    GLuint colour = 0;
};
