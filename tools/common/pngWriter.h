// tools/common/pngWriter.h
// PNG output (RGBA8, deflated by zlib) for captures, contact sheets and test pictures.
#pragma once

#include <cstdint>
#include <string>

// The whole file's bytes, "" when zlib fails.
std::string encodePng(int width, int height, const uint8_t* rgba);
// rgba holds height rows of width pixels, top row first. Returns false when the file cannot be written.
bool writePng(const char* path, int width, int height, const uint8_t* rgba);
