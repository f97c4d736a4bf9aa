// tests/platform/temporaryFileTests.cpp
// An output appears under its name whole or not at all, and nothing but the output is left beside it.
#include "temporaryFileTests.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

std::string freshFolder()
{
    std::string folder = testing::TempDir() + "lumenfoldPlatform" + std::to_string(std::random_device()());
    return std::filesystem::create_directory(folder) ? folder : "";
}

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void writeFile(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

TEST(TemporaryFile, ReplacingAnOutputShowsTheOldFileUntilTheNewOneIsWholeAndLeavesNothingBeside)
{
    const std::string folder = freshFolder(), out = folder + "/out.png";
    ASSERT_FALSE(folder.empty());
    const std::string before(100000, 'o'), after(300000, 'n');
    writeFile(out, before);
    std::string temporary;
    ASSERT_EQ(createTemporaryBeside(out, temporary), "");
    EXPECT_EQ(temporary.rfind(folder + "/.out.png.", 0), 0u) << temporary << ": not hidden beside the output";
    writeFile(temporary, after);
    EXPECT_TRUE(readFile(out) == before) << "the old output changed before the commit";
    EXPECT_EQ(commitTemporary(temporary, out), "");
    EXPECT_TRUE(readFile(out) == after) << "the new output is not whole";
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1) << "more beside the output";

    // A folder under the output's name cannot be replaced: that is said, and the temporary goes.
    std::filesystem::remove(out);
    std::filesystem::create_directory(out);
    ASSERT_EQ(createTemporaryBeside(out, temporary), "");
    EXPECT_EQ(commitTemporary(temporary, out).rfind("cannot write " + out + ": ", 0), 0u);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1) << "more beside the output";
    EXPECT_TRUE(std::filesystem::is_directory(out));
    std::filesystem::remove_all(folder);
}
