// tests/cpu/musicTests.cpp
// Unusable music files leave the demo silent and running; a machine without a sound card stays quiet.
#include <gtest/gtest.h>

#include "audio/beat.h"
#include "audio/music.h"
#include "gpu/debugLog.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {
std::string makeScratchDir()
{
    std::string pattern = testing::TempDir() + "lumenfoldMusicXXXXXX";
    char* made = mkdtemp(pattern.data());
    return made ? std::string(made) : std::string();
}

void writeFile(const std::string& path, const std::string& bytes)
{
    FILE* file = fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr) << path;
    fwrite(bytes.data(), 1, bytes.size(), file);
    fclose(file);
}

struct LoadResult {
    std::string log;
    float cursorSec;
};

LoadResult loadAndRead(const std::string& path)
{
    musicInitEngine();
    debugLogCaptureBegin();
    musicLoadAndStart(path.c_str());
    std::string log = debugLogCaptureEnd();
    float cursorSec = musicCursor();
    musicShutdown();
    return {log, cursorSec};
}

// Runs fn with standard error sent to a scratch file and returns what was written there.
template <typename Fn>
std::string captureStandardError(Fn fn)
{
    fflush(stderr);
    FILE* sink = tmpfile();
    int saved = dup(STDERR_FILENO);
    dup2(fileno(sink), STDERR_FILENO);
    fn();
    fflush(stderr);
    dup2(saved, STDERR_FILENO);
    close(saved);
    std::string text;
    rewind(sink);
    for (int c = fgetc(sink); c != EOF; c = fgetc(sink))
        text.push_back((char)c);
    fclose(sink);
    return text;
}
}

TEST(MusicPlayback, UnusableFilesLeaveTheCursorAtZero)
{
    const std::string dir = makeScratchDir();
    ASSERT_FALSE(dir.empty());
    const std::string empty = dir + "/empty.mp3";
    const std::string text = dir + "/text.mp3";
    const std::string cutWav = dir + "/cutWav.mp3";
    const std::string cutMp3 = dir + "/cutMp3.mp3";
    const std::string folder = dir + "/folder.mp3";
    writeFile(empty, "");
    writeFile(text, "This is a note about the music, not the music itself.\n");
    writeFile(cutWav, std::string("RIFF\x24\x10\x00\x00WAVEfmt \x10\x00\x00\x00\x01\x00", 26));
    writeFile(cutMp3, std::string("\xff\xfb\x90\x64\x00\x00\x00\x00", 8));
    ASSERT_EQ(mkdir(folder.c_str(), 0755), 0);

    for (const std::string& path : {empty, text, cutWav, cutMp3}) {
        LoadResult result = loadAndRead(path);
        EXPECT_EQ(result.cursorSec, 0.0f) << path;
        EXPECT_EQ(result.log, "") << path << ": a file that exists but does not decode is silent";
    }
    for (const std::string& path : {folder, dir + "/missing.mp3"}) {
        LoadResult result = loadAndRead(path);
        EXPECT_EQ(result.cursorSec, 0.0f) << path;
        EXPECT_EQ(result.log, "mp3 not found.\n") << path;
    }

    // Without the engine the missing file is still reported and nothing else happens.
    debugLogCaptureBegin();
    musicLoadAndStart(folder.c_str());
    EXPECT_EQ(debugLogCaptureEnd(), "mp3 not found.\n");
    EXPECT_EQ(musicCursor(), 0.0f);
    musicShutdown();

    for (const std::string& path : {empty, text, cutWav, cutMp3})
        remove(path.c_str());
    rmdir(folder.c_str());
    rmdir(dir.c_str());
}

TEST(MusicPlayback, WithoutMusicNoBeatIsEverFlagged)
{
    resetBeatDefaults();
    musicInitEngine();
    debugLogCaptureBegin();
    musicLoadAndStart("no such music.mp3");
    debugLogCaptureEnd();
    for (int frame = 0; frame < 120; ++frame) {
        trackBeat(musicCursor());
        EXPECT_FALSE(beatFlag) << "frame " << frame;
        decayPulses();
    }
    EXPECT_EQ(musicTime, 0.0f);
    EXPECT_EQ(cameraKick, 0.0f);
    EXPECT_EQ(hihatPulse, 0.0f);
    musicShutdown();
    resetBeatDefaults();
}

TEST(MusicPlayback, EngineStartAndStopWriteNothingToStandardError)
{
    // Without a sound card the engine probes ALSA before it settles on the null device.
    std::string written = captureStandardError([] {
        musicInitEngine();
        musicShutdown();
    });
    EXPECT_EQ(written, "");
}
