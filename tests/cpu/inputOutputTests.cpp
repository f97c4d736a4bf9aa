// tests/cpu/inputOutputTests.cpp
// What the programs read and write besides the GPU: the capture tool's options and frame count, the caption font
// file, which is refused unless the parser can read it safely, and the debug log, cut to what its buffer holds.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

#include "tools/capture/captureArgs.h"
#include "app/fontFile.h"
#include "platform/debugLog.h"

namespace {
std::string parse(std::vector<const char*> words, CaptureArgs& args)
{
    words.insert(words.begin(), "lumenfold-capture");
    return parseCaptureArgs((int)words.size(), words.data(), args);
}
}

TEST(CaptureArgs, AcceptsEveryOptionRejectsBadValuesWithAMessageAndRendersTheEntryFrameAndOneFramePerStep)
{
    CaptureArgs args;
    EXPECT_TRUE(parse({}, args).empty());
    EXPECT_EQ(parse({"--scene", "9", "--at", "4.5", "--fps", "30", "--size", "640x360", "--out", "a.png"}, args), "");
    EXPECT_TRUE(args.scene == 9 && args.atSec == 4.5 && args.fps == 30 && args.width == 640 && args.height == 360 &&
                args.out == "a.png" && !args.showCapture() && args.skipping);
    EXPECT_TRUE(parse({"--skipping", "off"}, args).empty() && !captureAppOptions(args).emptySpaceSkipping);
    EXPECT_TRUE(parse({"--rays", "3"}, args).empty() && captureAppOptions(args).fixedRaysPerFrame == 3);
    CaptureArgs show;
    EXPECT_EQ(parse({"--video", "a.mp4", "--sheet", "s.png", "--every", "2", "--from", "1", "--to", "5"}, show), "");
    EXPECT_TRUE(show.showCapture() && show.video == "a.mp4" && show.sheet == "s.png" && show.everySec == 2.0 &&
                show.fromSec == 1.0 && show.toSec == 5.0);

    const std::vector<std::vector<const char*>> bad = {
        {"--scene", "10"}, {"--scene", "-1"}, {"--scene", "two"}, {"--at", "-0.5"}, {"--at", "soon"}, {"--at", "nan"},
        {"--fps", "0"}, {"--size", "480"}, {"--size", "0x270"}, {"--size", "480x"}, {"--size", "ax2"}, {"--out", ""},
        {"--bogus"}, {"--at"}, {"--skipping", "no"}, {"--at", "1e12"}, {"--fps", "100000"}, {"--size", "-4x4"},
        {"--size", "100000x10"}, {"--volume", "8"}, {"--volume", "1000"}, {"--volume", "x"}, {"--rays", "0"},
        // Options that do not belong together, or a range that cannot hold a frame.
        {"--video", "a.mp4", "--at", "3"}, {"--from", "1"}, {"--sheet", "s.png"}, {"--video", "a.mp4", "--every", "1"},
        {"--video", "a.mp4", "--from", "5", "--to", "4"}, {"--video", "a.mp4", "--size", "65x36"},
        {"--sheet", "s.png", "--every", "0.05", "--fps", "10"}};
    for (const auto& words : bad) {
        CaptureArgs fresh;
        EXPECT_NE(parse(words, fresh), "") << words[0] << " " << (words.size() > 1 ? words[1] : "");
    }

    EXPECT_TRUE(captureFrameCount(0.0, 60) == 1 && captureFrameCount(1.0, 60) == 61);
    EXPECT_TRUE(captureFrameCount(0.1, 10) == 2 && captureFrameCount(0.99, 10) == 10);
}

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

TEST(DebugLog, FormatsAndCutsLongMessagesAt4095Characters)
{
    const std::string longText(5000, 'x'), exact(4095, 'y');
    debugLogCaptureBegin();
    debugLog("GPU: %s\n", "llvmpipe");
    EXPECT_EQ(debugLogCaptureEnd(), "GPU: llvmpipe\n");
    debugLogCaptureBegin();
    debugLog("[%s]", longText.c_str());
    const std::string cut = debugLogCaptureEnd();
    EXPECT_TRUE(cut.size() == 4095 && cut[0] == '[' && cut.find_first_not_of('x', 1) == std::string::npos);
    debugLogCaptureBegin();
    debugLog("%s", exact.c_str());
    EXPECT_EQ(debugLogCaptureEnd(), exact);
}
