// tests/cpu/fontFileTests.cpp
// The caption font loader accepts a real font and refuses anything the parser could not read safely.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

#include "app/fontFile.h"

TEST(FontFile, AcceptsARealFontAndRefusesEverythingElse)
{
    const char* systemFont = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";
    std::vector<unsigned char> data;
    ASSERT_TRUE(loadUsableFont(systemFont, data) && data.size() > 1000u);

    std::ifstream in(systemFont, std::ios::binary);
    const std::string font(std::istreambuf_iterator<char>(in), {}), dir = testing::TempDir();
    const std::pair<const char*, std::string> written[] = {
        {"empty.ttf", ""}, {"text.ttf", "this is not a font, just some words in a file"},
        {"truncated.ttf", font.substr(0, font.size() / 3)}, {"header.ttf", font.substr(0, 12)}};
    for (const auto& [name, bytes] : written)
        std::ofstream(dir + name, std::ios::binary) << bytes;
    mkdir((dir + "folder.ttf").c_str(), 0755);
    for (const char* name : {"missing.ttf", "empty.ttf", "text.ttf", "truncated.ttf", "header.ttf", "folder.ttf"})
        EXPECT_TRUE(!loadUsableFont((dir + name).c_str(), data) && data.empty()) << name;
    rmdir((dir + "folder.ttf").c_str());
}
