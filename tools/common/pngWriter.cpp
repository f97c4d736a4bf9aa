// tools/common/pngWriter.cpp
// libpng's simplified writer: it filters and deflates, and removes the file again when writing fails.
#include "tools/common/pngWriter.h"

#include <png.h>

bool writePng(const char* path, int width, int height, const uint8_t* rgba)
{
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = (png_uint_32)width;
    image.height = (png_uint_32)height;
    image.format = PNG_FORMAT_RGBA;
    bool ok = png_image_write_to_file(&image, path, 0, rgba, width * 4, nullptr) != 0;
    png_image_free(&image);
    return ok;
}
