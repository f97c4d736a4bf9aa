// tools/common/glslBitmap.h
// Shared by the generators that bake a 1-bit image into a GLSL uint array written through a template.
#pragma once

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

inline bool readTextFile(const char* path, std::string& text)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::ostringstream s;
    s << in.rdbuf();
    text = s.str();
    return true;
}

// Pixel (px, py), py = 0 the top row, is bit 31 - (idx & 31) of word idx >> 5 with idx = py * width + px.
inline void setBitmapPixel(std::vector<uint32_t>& words, int width, int px, int py)
{
    int idx = py * width + px;
    words[idx >> 5] |= 1u << (31 - (idx & 31));
}

// Eight words a line, each as a GLSL uint literal.
inline std::string formatBitmapWords(const std::vector<uint32_t>& words)
{
    std::string out;
    char word[16];
    for (size_t i = 0; i < words.size(); ++i) {
        std::snprintf(word, sizeof(word), "0x%08xu", words[i]);
        out += (i % 8 == 0) ? "    " : " ";
        out += word;
        if (i + 1 < words.size())
            out += (i % 8 == 7) ? ",\n" : ",";
    }
    return out;
}

// Writes the template with its marker replaced by the words; returns the process exit code, saying why on failure.
inline int writeBitmapGlsl(const char* templatePath, const std::string& marker, const std::vector<uint32_t>& words,
                           const char* outPath)
{
    std::string glsl;
    if (!readTextFile(templatePath, glsl)) {
        std::fprintf(stderr, "cannot read %s\n", templatePath);
        return 1;
    }
    size_t at = glsl.find(marker);
    if (at == std::string::npos) {
        std::fprintf(stderr, "%s: no %s marker\n", templatePath, marker.c_str());
        return 1;
    }
    glsl.replace(at, marker.size(), formatBitmapWords(words));
    std::ofstream out(outPath, std::ios::binary);
    out << glsl;
    if (!out) {
        std::fprintf(stderr, "cannot write %s\n", outPath);
        return 1;
    }
    return 0;
}
