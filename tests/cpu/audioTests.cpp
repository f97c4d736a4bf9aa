// tests/cpu/audioTests.cpp
// The 128 BPM beat flag over a scripted music cursor, the pulses' decay to rest, and music that cannot play.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "audio/beat.h"
#include "audio/music.h"
#include "gpu/debugLog.h"

TEST(BeatTracking, FlagsOneFrameWhenTheBeatFractionFallsBack)
{
    // A beat lasts 60 / 128 = 0.46875 s.
    const struct { std::vector<float> cursorsSec; std::vector<int> flaggedFrames; } cases[] = {
        {{0.0f}, {}},  // the first frame has no earlier fraction to fall from
        {{0.0f, 0.2f, 0.4f, 0.46875f, 0.5f, 0.6f}, {3}},
        {{0.3f, 1.2f, 1.25f}, {1}},  // a stall across 0.46875 and 0.9375 raises the flag once
        {{0.3f, 0.3f, 0.3f, 0.5f, 0.5f, 0.5f}, {3}},  // frames faster than the cursor see the same value
    };
    for (const auto& c : cases) {
        resetBeatDefaults();
        std::vector<int> flagged;
        for (size_t frame = 0; frame < c.cursorsSec.size(); ++frame) {
            trackBeat(c.cursorsSec[frame]);
            if (beatFlag)
                flagged.push_back((int)frame);
        }
        EXPECT_EQ(flagged, c.flaggedFrames) << "starting at " << c.cursorsSec[0];
    }
    resetBeatDefaults();
}

TEST(BeatPulses, DecayToExactlyZeroInsteadOfTrailingOff)
{
    cameraKick = hihatPulse = 1.0f;
    for (int frame = 0; frame < 100; ++frame)
        decayPulses();
    EXPECT_TRUE(cameraKick == 0.0f && hihatPulse == 0.0f);
    resetBeatDefaults();
}

TEST(MusicPlayback, UnusableFilesLeaveTheDemoSilentAndOnlyAMissingFileIsReported)
{
    std::string dir = testing::TempDir() + "lumenfoldMusicXXXXXX";
    ASSERT_NE(mkdtemp(dir.data()), nullptr);
    // A file that exists but does not decode is silent; only what is not a readable file is reported,
    // with or without an engine to play it on.
    const struct { const char* name; std::string bytes; const char* log; } cases[] = {
        {"empty.mp3", "", ""},
        {"text.mp3", "This is a note about the music, not the music itself.\n", ""},
        {"cutWav.mp3", std::string("RIFF\x24\x10\x00\x00WAVEfmt \x10\x00\x00\x00\x01\x00", 22), ""},
        {"cutMp3.mp3", std::string("\xff\xfb\x90\x64\x00\x00\x00\x00", 8), ""},
        {"folder.mp3", "", "mp3 not found.\n"},
        {"missing.mp3", "", "mp3 not found.\n"},
    };
    for (const auto& c : cases)
        if (!*c.log)
            std::ofstream(dir + "/" + c.name, std::ios::binary) << c.bytes;
    ASSERT_TRUE(std::filesystem::create_directory(dir + "/folder.mp3"));
    for (bool withEngine : {true, false})
        for (const auto& c : cases) {
            if (withEngine)
                musicInitEngine();
            debugLogCaptureBegin();
            musicLoadAndStart((dir + "/" + c.name).c_str());
            EXPECT_EQ(debugLogCaptureEnd(), c.log) << c.name;
            EXPECT_EQ(musicCursor(), 0.0f) << c.name;
            musicShutdown();
        }
    std::filesystem::remove_all(dir);
}

TEST(MusicPlayback, EngineStartAndStopWriteNothingToStandardError)
{
    // Without a sound card the engine probes ALSA before it settles on the null device.
    testing::internal::CaptureStderr();
    musicInitEngine();
    musicShutdown();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}
