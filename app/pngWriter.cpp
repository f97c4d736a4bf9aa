// app/pngWriter.cpp
// Uncompressed deflate keeps the writer dependency-free; captures are small enough for it.
#include "app/pngWriter.h"

#include <cstdio>
#include <vector>

namespace {
uint32_t crc32(const uint8_t* data, size_t length, uint32_t crc = 0)
{
    crc = ~crc;
    for (size_t i = 0; i < length; ++i) {
        crc ^= data[i];
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

uint32_t adler32(const std::vector<uint8_t>& data)
{
    uint32_t a = 1, b = 0;
    for (uint8_t byte : data) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    return (b << 16) | a;
}

void putBigEndian(std::vector<uint8_t>& out, uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back((uint8_t)(value >> shift));
}

void putChunk(std::vector<uint8_t>& out, const char type[4], const std::vector<uint8_t>& body)
{
    putBigEndian(out, (uint32_t)body.size());
    std::vector<uint8_t> typed(type, type + 4);
    typed.insert(typed.end(), body.begin(), body.end());
    out.insert(out.end(), typed.begin(), typed.end());
    putBigEndian(out, crc32(typed.data(), typed.size()));
}
}

bool writePng(const char* path, int width, int height, const uint8_t* rgba)
{
    std::vector<uint8_t> raw;
    size_t rowBytes = (size_t)width * 4;
    raw.reserve((rowBytes + 1) * height);
    for (int y = 0; y < height; ++y) {
        raw.push_back(0);  // filter type none
        raw.insert(raw.end(), rgba + y * rowBytes, rgba + (y + 1) * rowBytes);
    }

    std::vector<uint8_t> zlib = {0x78, 0x01};
    for (size_t offset = 0; offset < raw.size() || offset == 0;) {
        size_t blockLength = std::min<size_t>(65535, raw.size() - offset);
        bool last = offset + blockLength == raw.size();
        zlib.push_back(last ? 1 : 0);
        zlib.push_back((uint8_t)(blockLength & 0xFF));
        zlib.push_back((uint8_t)(blockLength >> 8));
        zlib.push_back((uint8_t)(~blockLength & 0xFF));
        zlib.push_back((uint8_t)((~blockLength >> 8) & 0xFF));
        zlib.insert(zlib.end(), raw.begin() + offset, raw.begin() + offset + blockLength);
        offset += blockLength;
        if (last)
            break;
    }
    putBigEndian(zlib, adler32(raw));

    std::vector<uint8_t> header;
    putBigEndian(header, (uint32_t)width);
    putBigEndian(header, (uint32_t)height);
    header.insert(header.end(), {8, 6, 0, 0, 0});  // 8-bit RGBA, deflate, no filter set, no interlace

    std::vector<uint8_t> file = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    putChunk(file, "IHDR", header);
    putChunk(file, "IDAT", zlib);
    putChunk(file, "IEND", {});

    FILE* f = fopen(path, "wb");
    if (!f)
        return false;
    bool ok = fwrite(file.data(), 1, file.size(), f) == file.size();
    return fclose(f) == 0 && ok;
}
