// tests/cpu/captureArgsTests.cpp
// The capture tool's options: every one is read, bad values are refused with a message, and the frame count.
#include <gtest/gtest.h>

#include <vector>

#include "app/captureArgs.h"

namespace {
std::string parse(std::vector<const char*> words, CaptureArgs& args)
{
    words.insert(words.begin(), "lumenfold-capture");
    return parseCaptureArgs((int)words.size(), words.data(), args);
}
}

TEST(CaptureArgs, AcceptsEveryOptionAndRejectsBadValuesWithAMessage)
{
    CaptureArgs args;
    EXPECT_EQ(parse({}, args), "");
    EXPECT_EQ(parse({"--scene", "9", "--at", "4.5", "--fps", "30", "--size", "640x360", "--out", "a.png"}, args), "");
    EXPECT_TRUE(args.scene == 9 && args.atSec == 4.5 && args.fps == 30 && args.width == 640 && args.height == 360 &&
                args.out == "a.png");

    const std::vector<std::vector<const char*>> bad = {
        {"--scene", "10"}, {"--scene", "-1"}, {"--scene", "two"}, {"--at", "-0.5"}, {"--at", "soon"},
        {"--at", "nan"},   {"--fps", "0"},    {"--size", "480"},  {"--size", "0x270"}, {"--size", "480x"},
        {"--size", "ax2"}, {"--out", ""},     {"--bogus"},        {"--at"}};
    for (const auto& words : bad)
        EXPECT_NE(parse(words, args), "") << words[0] << " " << (words.size() > 1 ? words[1] : "");
}

TEST(CaptureArgs, RendersTheEntryFrameAndOneFramePerStep)
{
    EXPECT_EQ(captureFrameCount(0.0, 60), 1);
    EXPECT_EQ(captureFrameCount(1.0, 60), 61);
    EXPECT_EQ(captureFrameCount(0.1, 10), 2);
    EXPECT_EQ(captureFrameCount(0.99, 10), 10);
}
