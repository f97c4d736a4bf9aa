// tests/gl/glTestContext.h
// One hidden window and GL context shared by every GL test; any GL error reported by the driver fails the test.
#pragma once

#include <GL/glew.h>

#include <string>
#include <vector>

// Errors the debug callback has seen since the last call; each test asserts this is empty.
std::vector<std::string> takeGlErrors();
