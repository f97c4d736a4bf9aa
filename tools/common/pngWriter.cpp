// tools/common/pngWriter.cpp
// The smallest valid PNG: one IDAT of zlib-deflated rows, each with the Up filter, which suits rendered pictures.
#include "tools/common/pngWriter.h"

#include <zlib.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {
void putBigEndian32(std::string& out, uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out += (char)(value >> shift & 0xff);
}

void putChunk(std::string& out, const char* type, const std::string& data)
{
    putBigEndian32(out, (uint32_t)data.size());
    std::string typed = type + data;
    out += typed;
    putBigEndian32(out, (uint32_t)crc32(0, (const Bytef*)typed.data(), (uInt)typed.size()));
}

std::string deflatedRows(int width, int height, const uint8_t* rgba)
{
    size_t rowBytes = (size_t)width * 4;
    std::vector<uint8_t> filtered;
    filtered.reserve((rowBytes + 1) * height);
    for (int y = 0; y < height; ++y) {
        const uint8_t* row = rgba + rowBytes * y;
        filtered.push_back(2);  // Up: each byte minus the one above it
        for (size_t i = 0; i < rowBytes; ++i)
            filtered.push_back((uint8_t)(row[i] - (y > 0 ? row[i - rowBytes] : 0)));
    }
    uLongf size = compressBound((uLong)filtered.size());
    std::string packed(size, '\0');
    if (compress2((Bytef*)packed.data(), &size, filtered.data(), (uLong)filtered.size(), Z_DEFAULT_COMPRESSION) !=
        Z_OK)
        return "";
    packed.resize(size);
    return packed;
}
}

std::string encodePng(int width, int height, const uint8_t* rgba)
{
    std::string header;
    putBigEndian32(header, (uint32_t)width);
    putBigEndian32(header, (uint32_t)height);
    header += std::string("\x08\x06\x00\x00\x00", 5);  // 8 bits per channel, RGBA, deflate, standard filters, no interlace
    std::string image = deflatedRows(width, height, rgba);
    if (image.empty())
        return "";
    std::string file("\x89PNG\r\n\x1a\n", 8);
    putChunk(file, "IHDR", header);
    putChunk(file, "IDAT", image);
    putChunk(file, "IEND", "");
    return file;
}

bool writePng(const char* path, int width, int height, const uint8_t* rgba)
{
    std::string file = encodePng(width, height, rgba);
    if (file.empty())
        return false;
    FILE* out = fopen(path, "wb");
    if (!out)
        return false;
    bool written = fwrite(file.data(), 1, file.size(), out) == file.size();
    if (fclose(out) != 0 || !written) {
        remove(path);
        return false;
    }
    return true;
}
