// tests/cpu/musicTests.cpp
// Unusable music files leave the demo silent and running; a machine without a sound card stays quiet.
#include <gtest/gtest.h>

#include "audio/music.h"
#include "gpu/debugLog.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

TEST(MusicPlayback, UnusableFilesLeaveTheDemoSilent)
{
    std::string dir = testing::TempDir() + "lumenfoldMusicXXXXXX";
    ASSERT_NE(mkdtemp(dir.data()), nullptr);
    // A file that exists but does not decode is silent; only what is not a readable file is reported,
    // with or without an engine to play it on.
    const struct { const char* name; std::string bytes; const char* log; } cases[] = {
        {"empty.mp3", "", ""},
        {"text.mp3", "This is a note about the music, not the music itself.\n", ""},
        {"cutWav.mp3", std::string("RIFF\x24\x10\x00\x00WAVEfmt \x10\x00\x00\x00\x01\x00", 26), ""},
        {"cutMp3.mp3", std::string("\xff\xfb\x90\x64\x00\x00\x00\x00", 8), ""},
        {"folder.mp3", "", "mp3 not found.\n"},
        {"missing.mp3", "", "mp3 not found.\n"},
    };
    for (const auto& c : cases)
        if (!*c.log)
            std::ofstream(dir + "/" + c.name, std::ios::binary) << c.bytes;
    ASSERT_TRUE(std::filesystem::create_directory(dir + "/folder.mp3"));
    for (bool withEngine : {true, false}) {
        for (const auto& c : cases) {
            if (withEngine)
                musicInitEngine();
            debugLogCaptureBegin();
            musicLoadAndStart((dir + "/" + c.name).c_str());
            EXPECT_EQ(debugLogCaptureEnd(), c.log) << c.name;
            EXPECT_EQ(musicCursor(), 0.0f) << c.name;
            musicShutdown();
        }
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
