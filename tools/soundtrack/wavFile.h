// tools/soundtrack/wavFile.h
// 16-bit PCM stereo WAV output.
#pragma once

#include <vector>

// Writes left/right samples in [-1, 1] at sampleRate; returns false when the file cannot be written.
bool writeWav(const char* path, const std::vector<float>& left, const std::vector<float>& right, int sampleRate);
