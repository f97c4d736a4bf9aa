// tools/icon/iconGen.cpp
// Writes the program's icon, drawn by the demo's own code, as OUT_DIR/lumenfold.ico for the Windows build's resources
// and as OUT_DIR/hicolor/NxN/apps/lumenfold.png for the Debian package's menu entry.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "app/iconPicture.h"
#include "tools/common/pngWriter.h"

namespace {
const int sizes[] = {16, 24, 32, 48, 64, 128, 256};

void putLittleEndian(std::string& out, unsigned value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out += (char)(value >> (8 * i) & 0xff);
}

// An icon directory whose images are PNG files, as Windows reads them at every size.
bool writeIco(const std::string& path)
{
    std::string directory, images;
    putLittleEndian(directory, 0, 2);
    putLittleEndian(directory, 1, 2);  // an icon, not a cursor
    putLittleEndian(directory, (unsigned)std::size(sizes), 2);
    size_t offset = 6 + 16 * std::size(sizes);
    for (int size : sizes) {
        std::string png = encodePng(size, size, drawIconPicture(size).data());
        if (png.empty())
            return false;
        putLittleEndian(directory, size % 256, 1);  // 0 stands for 256
        putLittleEndian(directory, size % 256, 1);
        putLittleEndian(directory, 0, 2);  // no palette
        putLittleEndian(directory, 1, 2);  // planes
        putLittleEndian(directory, 32, 2);
        putLittleEndian(directory, (unsigned)png.size(), 4);
        putLittleEndian(directory, (unsigned)(offset + images.size()), 4);
        images += png;
    }
    std::ofstream out(path, std::ios::binary);
    out << directory << images;
    return out.good();
}
}

int main(int argc, char** argv)
{
    if (argc != 2) {
        fprintf(stderr, "usage: lumenfold-icongen OUT_DIR\n");
        return 2;
    }
    const std::string outDir = argv[1];
    for (int size : sizes) {
        std::string folder = outDir + "/hicolor/" + std::to_string(size) + "x" + std::to_string(size) + "/apps";
        std::filesystem::create_directories(folder);
        if (!writePng((folder + "/lumenfold.png").c_str(), size, size, drawIconPicture(size).data())) {
            fprintf(stderr, "lumenfold-icongen: cannot write %s/lumenfold.png\n", folder.c_str());
            return 1;
        }
    }
    if (!writeIco(outDir + "/lumenfold.ico")) {
        fprintf(stderr, "lumenfold-icongen: cannot write %s/lumenfold.ico\n", outDir.c_str());
        return 1;
    }
    return 0;
}
