// tests/cpu/desktopTests.cpp
// How the demo meets the desktop it starts on: where it finds its content.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "app/contentFiles.h"

TEST(ContentFiles, TheWorkingDirectoryComesFirstThenTheProgramsFolder)
{
    const std::string working = testing::TempDir() + "contentWorking", program = testing::TempDir() + "contentProgram";
    for (const std::string& folder : {working, program}) {
        std::filesystem::remove_all(folder);
        std::filesystem::create_directory(folder);
    }
    std::ofstream(program + "/Corvel.ttf") << "beside the program";
    EXPECT_EQ(findContentIn("Corvel.ttf", working, program).path, program + "/Corvel.ttf");
    std::ofstream(working + "/Corvel.ttf") << "in the working directory";
    EXPECT_EQ(findContentIn("Corvel.ttf", working, program).path, working + "/Corvel.ttf");

    ContentFile absent = findContentIn("Korvane's Swing.mp3", working, program);
    EXPECT_EQ(absent.path, "");
    EXPECT_NE(absent.missing.find(working), std::string::npos) << absent.missing;
    EXPECT_NE(absent.missing.find(program), std::string::npos) << absent.missing;
    for (const std::string& folder : {working, program})
        std::filesystem::remove_all(folder);
}
