// app/fontFile.cpp
#include "app/fontFile.h"

#include <cstdint>

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#define STBTT_STATIC
#define STB_TRUETYPE_IMPLEMENTATION
#include "imstb_truetype.h"
#pragma GCC diagnostic pop

#include "platform/platform.h"

namespace {
// Even large CJK collections stay well below this; a bigger file is not read at all.
constexpr long long fontMaxBytes = 64ll << 20;

uint32_t readBigEndian32(const unsigned char* p)
{
    return (uint32_t)p[0] << 24 | (uint32_t)p[1] << 16 | (uint32_t)p[2] << 8 | p[3];
}

// The parser trusts table offsets, so a truncated file must be caught before it is parsed.
bool tablesInsideFile(const std::vector<unsigned char>& data, int fontOffset)
{
    size_t size = data.size();
    if ((size_t)fontOffset + 12 > size)
        return false;
    int tableCount = data[fontOffset + 4] << 8 | data[fontOffset + 5];
    size_t directoryEnd = (size_t)fontOffset + 12 + (size_t)tableCount * 16;
    if (directoryEnd > size)
        return false;
    for (int i = 0; i < tableCount; ++i) {
        const unsigned char* record = &data[fontOffset + 12 + i * 16];
        uint64_t offset = readBigEndian32(record + 8);
        uint64_t length = readBigEndian32(record + 12);
        if (offset + length > size)
            return false;
    }
    return true;
}

bool readWhole(int fd, std::vector<unsigned char>& data)
{
    size_t done = 0;
    while (done < data.size()) {
        long long got = readFromFile(fd, data.data() + done, data.size() - done);
        if (got <= 0)
            return false;
        done += (size_t)got;
    }
    return true;
}
}

bool loadUsableFont(const char* path, std::vector<unsigned char>& data)
{
    data.clear();
    int fd = openForReading(path);
    if (fd < 0)
        return false;
    FileFacts facts;
    bool complete = false;
    if (fileFacts(fd, facts) && facts.regular && facts.sizeBytes >= 12 && facts.sizeBytes <= fontMaxBytes) {
        data.resize((size_t)facts.sizeBytes);
        complete = readWhole(fd, data);
    }
    closeFile(fd);
    int fontOffset = complete ? stbtt_GetFontOffsetForIndex(data.data(), 0) : -1;
    stbtt_fontinfo font;
    if (fontOffset < 0 || !tablesInsideFile(data, fontOffset) || !stbtt_InitFont(&font, data.data(), fontOffset)) {
        data.clear();
        return false;
    }
    return true;
}
