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
    EXPECT_EQ(args.scene, 9);
    EXPECT_DOUBLE_EQ(args.atSec, 4.5);
    EXPECT_EQ(args.fps, 30);
    EXPECT_EQ(args.width, 640);
    EXPECT_EQ(args.height, 360);
    EXPECT_EQ(args.out, "a.png");
    EXPECT_FALSE(args.showCapture());

    CaptureArgs show;
    EXPECT_EQ(parse({"--video", "a.mp4", "--sheet", "s.png", "--every", "2", "--from", "1", "--to", "5"}, show), "");
    EXPECT_TRUE(show.showCapture());
    EXPECT_EQ(show.video, "a.mp4");
    EXPECT_EQ(show.sheet, "s.png");
    EXPECT_DOUBLE_EQ(show.everySec, 2.0);
    EXPECT_DOUBLE_EQ(show.fromSec, 1.0);
    EXPECT_DOUBLE_EQ(show.toSec, 5.0);

    const std::vector<std::vector<const char*>> bad = {
        {"--scene", "10"}, {"--scene", "-1"}, {"--scene", "two"}, {"--at", "-0.5"}, {"--at", "soon"},
        {"--at", "nan"},   {"--fps", "0"},    {"--size", "480"},  {"--size", "0x270"}, {"--size", "480x"},
        {"--size", "ax2"}, {"--out", ""},     {"--bogus"},        {"--at"},
        // Options that do not belong together, or a range that cannot hold a frame.
        {"--video", "a.mp4", "--at", "3"}, {"--from", "1"}, {"--sheet", "s.png"}, {"--video", "a.mp4", "--every", "1"},
        {"--video", "a.mp4", "--from", "5", "--to", "4"}, {"--video", "a.mp4", "--size", "65x36"},
        {"--sheet", "s.png", "--every", "0.05", "--fps", "10"}};
    for (const auto& words : bad) {
        CaptureArgs fresh;
        EXPECT_NE(parse(words, fresh), "") << words[0] << " " << (words.size() > 1 ? words[1] : "");
    }
}

TEST(CaptureArgs, RendersTheEntryFrameAndOneFramePerStep)
{
    EXPECT_EQ(captureFrameCount(0.0, 60), 1);
    EXPECT_EQ(captureFrameCount(1.0, 60), 61);
    EXPECT_EQ(captureFrameCount(0.1, 10), 2);
    EXPECT_EQ(captureFrameCount(0.99, 10), 10);
}
