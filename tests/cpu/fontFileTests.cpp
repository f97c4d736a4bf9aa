// tests/cpu/fontFileTests.cpp
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "app/fontFile.h"

namespace {
const char* systemFont = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";

std::string readAll(const char* path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string writeTemp(const std::string& name, const std::string& bytes)
{
    std::string path = testing::TempDir() + name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}
}

TEST(FontFile, AcceptsARealFontAndRefusesEverythingElse)
{
    std::vector<unsigned char> data;
    ASSERT_TRUE(loadUsableFont(systemFont, data));
    EXPECT_GT(data.size(), 1000u);

    std::string font = readAll(systemFont);
    std::string folder = testing::TempDir() + "fontFolder.ttf";
    mkdir(folder.c_str(), 0755);
    const std::string refused[] = {
        testing::TempDir() + "missing.ttf",
        writeTemp("empty.ttf", ""),
        writeTemp("text.ttf", "this is not a font, just some words in a file"),
        writeTemp("truncated.ttf", font.substr(0, font.size() / 3)),
        writeTemp("header.ttf", font.substr(0, 12)),
        folder,
    };
    for (const std::string& path : refused) {
        EXPECT_FALSE(loadUsableFont(path.c_str(), data)) << path;
        EXPECT_TRUE(data.empty()) << path;
    }
    rmdir(folder.c_str());
}
