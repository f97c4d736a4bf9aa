// tests/cpu/desktopTests.cpp
// How the demo meets the desktop it starts on: where it finds its content and how large its window is.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "app/contentFiles.h"
#include "app/windowContext.h"

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

TEST(WindowSize, TheLargestExactSixteenByNineThatFitsUpTo1920By1080)
{
    EXPECT_EQ(largestShowWindow(2560, 1400).width, 1920);
    EXPECT_EQ(largestShowWindow(2560, 1400).height, 1080);
    // A 1080p screen less the task bar and the window's frame: the height decides.
    EXPECT_EQ(largestShowWindow(1904, 1001).width, 1776);
    EXPECT_EQ(largestShowWindow(1904, 1001).height, 999);
    // A narrow one: the width decides.
    EXPECT_EQ(largestShowWindow(1000, 1000).width, 992);
    EXPECT_EQ(largestShowWindow(1000, 1000).height, 558);
    EXPECT_EQ(largestShowWindow(15, 600).width, 0);
}
