// tools/gearLogo/gearLogoGen.cpp
// Paints the shapes of emblem.txt and writes shaders/gear_logo.glsl: the 1-bit emblem plus its sampling code.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "emblemShapes.h"

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: lumenfold-gearlogogen EMBLEM.txt TEMPLATE.glsl.in OUT.glsl\n");
        return 2;
    }
    EmblemImage image;
    std::string error;
    if (!paintEmblemFile(argv[1], image, error)) {
        std::fprintf(stderr, "%s: %s\n", argv[1], error.c_str());
        return 1;
    }
    std::vector<uint32_t> words(emblemSize * emblemSize / 32, 0u);
    for (int py = 0; py < emblemSize; ++py)
        for (int px = 0; px < emblemSize; ++px)
            if (image.at(px, py))
                setBitmapPixel(words, emblemSize, px, py);
    return writeBitmapGlsl(argv[2], "@GEAR_LOGO_BITMAP@", words, argv[3]);
}
