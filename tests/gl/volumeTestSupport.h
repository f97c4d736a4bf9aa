// tests/gl/volumeTestSupport.h
// Shared set-up for the GL tests: the GL errors seen, programs, a small volume, the test fill, read-backs of the
// volume and the GI, and an off-screen draw.
#pragma once

#include <GL/glew.h>

#include <functional>
#include <string>
#include <vector>

#include "gpu/gpu.h"
#include "gpu/passPlans.h"
#include "sequencer/showState.h"

class cSceneBase;

// The GL tests' one GPU back end, with every program built once, and the show state their passes are planned from.
Gpu& testGpu();
ShowState& testShow();
// The Constants block from the test show's settings and walls, written as a frame does before its GI pass.
void uploadTestConstants();
// One GI frame planned from the test show's GI state and settings, as the frame step plans it.
void runTestGiFrame(int raysPerFrame);
// A GI gather and copy with the given frame number, blend and rays, whatever the GI state.
void runTestGi(unsigned frameId, float blend, int raysPerFrame);
// The scene's fill of this frame, as the frame step plans and runs it.
void runSceneFill(const cSceneBase& scene, int volSize);

// Errors the debug callback of the shared test context has seen since the last call; each test asserts none.
std::vector<std::string> takeGlErrors();

// The test fill's shapes; fillTestShapes.glsl lists the parameters each one reads.
enum TestShape { shapeEmpty, shapeBox, shapeBoxZ, shapeCylinder, shapeSphere, shapePlane,
                 shapeFloorAndSlab, shapeBrickMix };

// A fresh test show (the clock at 0), every program built once, and a volume of size^3.
void prepareVolume(int size);
// Fills the volume and rebuilds its occupancy, as the frame step does.
void runTestFill(TestShape shape, const std::vector<float>& params = {});
// prepareVolume, the scene's registry row by its fill program's name, then its entry; false when the program did
// not build.
bool prepareScene(cSceneBase& scene, const char* programName, int volSize);

// Level 0 of a 3D texture as floats (x fastest, then y, then z), the GI buffer as RGBA per cell, and every GI cell
// set to (r, g, b, 0).
std::vector<float> readTexture3D(GLuint texture, int size, GLenum format, int components);
// The volume's brick occupancy: two bytes per brick, x fastest.
std::vector<GLubyte> readOccupancy();
std::vector<float> readGiBuffer();
void writeGiBuffer(float r, float g, float b);

// Runs draw into a fresh width x height target cleared to 0 and reads it back as RGBA floats, bottom row first.
std::vector<float> drawOffscreen(int width, int height, const std::function<void()>& draw, GLenum format = GL_RGBA32F);

struct Voxel { float r = 0.0f, g = 0.0f, b = 0.0f, a = 0.0f, emissivity = 0.0f, roughness = 1.0f; };
struct VolumeReadback {
    int size = 0;
    std::vector<float> colour, emissRough;  // RGBA and RG per voxel, x fastest
    Voxel at(int x, int y, int z) const;
};
VolumeReadback readVolume();
