// tools/soundtrack/wavFile.cpp
#include "wavFile.h"

#include <cmath>
#include <cstdint>
#include <cstdio>

namespace {
void put16(std::vector<uint8_t>& bytes, uint32_t value)
{
    bytes.push_back((uint8_t)(value & 0xff));
    bytes.push_back((uint8_t)((value >> 8) & 0xff));
}

void put32(std::vector<uint8_t>& bytes, uint32_t value)
{
    put16(bytes, value & 0xffff);
    put16(bytes, value >> 16);
}

void putTag(std::vector<uint8_t>& bytes, const char* tag)
{
    bytes.insert(bytes.end(), tag, tag + 4);
}

int16_t toPcm16(float sample)
{
    float clamped = sample > 1.0f ? 1.0f : (sample < -1.0f ? -1.0f : sample);
    return (int16_t)std::lrint(clamped * 32767.0f);
}
}

bool writeWav(const char* path, const std::vector<float>& left, const std::vector<float>& right, int sampleRate)
{
    const uint32_t frames = (uint32_t)left.size();
    const uint32_t dataBytes = frames * 4;
    std::vector<uint8_t> bytes;
    bytes.reserve(44 + dataBytes);
    putTag(bytes, "RIFF");
    put32(bytes, 36 + dataBytes);
    putTag(bytes, "WAVE");
    putTag(bytes, "fmt ");
    put32(bytes, 16);
    put16(bytes, 1);
    put16(bytes, 2);
    put32(bytes, (uint32_t)sampleRate);
    put32(bytes, (uint32_t)sampleRate * 4);
    put16(bytes, 4);
    put16(bytes, 16);
    putTag(bytes, "data");
    put32(bytes, dataBytes);
    for (uint32_t i = 0; i < frames; ++i) {
        put16(bytes, (uint16_t)toPcm16(left[i]));
        put16(bytes, (uint16_t)toPcm16(right[i]));
    }
    FILE* file = fopen(path, "wb");
    if (!file)
        return false;
    bool written = fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return fclose(file) == 0 && written;
}
