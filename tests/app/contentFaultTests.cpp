// tests/app/contentFaultTests.cpp
// The demo's start-up, frames and shutdown with its font and its music both broken the same way: it starts,
// says at most one line about each file, plays its frames and reads no file without bound.
// An unreadable file needs a user that is not root; the whole-program run covers it.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

#include "app/demoApp.h"
#include "logLines.h"
#include "sequencer/sceneSequence.h"

namespace {
std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

bool writeFile(const std::string& path, const std::string& bytes)
{
    return (bool)(std::ofstream(path, std::ios::binary) << bytes);
}

std::string randomBytes()
{
    std::mt19937 random(7);
    std::string bytes(256 << 10, '\0');
    for (char& byte : bytes)
        byte = (char)random();
    return bytes;
}

// Bytes this process has read through system calls so far; -1 where the kernel does not count them.
long long bytesRead()
{
    std::ifstream io("/proc/self/io");
    std::string key;
    long long value = 0;
    while (io >> key >> value)
        if (key == "rchar:")
            return value;
    return -1;
}
}

TEST(ContentFaults, EveryBrokenFontAndMusicFileLeavesOneLineAtMostAndTheShowPlays)
{
    const std::string font = readFile("/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf");
    const std::string music = readFile(std::string(LUMENFOLD_RUN_DIR) + "/Korvane's Swing.mp3");
    ASSERT_GT(font.size(), 1000u);
    ASSERT_GT(music.size(), 1000u);
    const std::string missingFont = "Missing font: /Corvel.ttf not found\n";
    const std::string unusableFont = "/Corvel.ttf is not a usable font; the built-in font serves\n";
    const std::string noMusic = "mp3 not found.\n";
    const std::string hugeMusic = "/Korvane's Swing.mp3 is larger than 256 MiB, too large for a soundtrack; the demo "
                                  "runs silently\n";
    // Puts the fault in place under a path, given a good file of that kind and one of the other kind.
    using Make = bool (*)(const std::string& path, const std::string& good, const std::string& other);
    // Expected lines; the folder's path goes before the first '/' of one. Files that exist but do not decode (or a
    // truncated one that plays its first half) leave the demo silent without a word.
    const struct { const char* name; Make make; std::string fontLine, musicLine; } cases[] = {
        {"missing", [](auto&, auto&, auto&) { return true; }, missingFont, noMusic},
        {"empty", [](auto& path, auto&, auto&) { return writeFile(path, ""); }, unusableFont, ""},
        {"truncated", [](auto& path, auto& good, auto&) { return writeFile(path, good.substr(0, good.size() / 2)); },
         unusableFont, ""},
        {"random bytes", [](auto& path, auto&, auto&) { return writeFile(path, randomBytes()); }, unusableFont, ""},
        {"the other kind", [](auto& path, auto&, auto& other) { return writeFile(path, other); }, unusableFont, ""},
        {"folder", [](auto& path, auto&, auto&) { return mkdir(path.c_str(), 0755) == 0; }, unusableFont, noMusic},
        {"dangling link", [](auto& path, auto&, auto&) { return symlink("nothing here", path.c_str()) == 0; },
         missingFont, noMusic},
        {"link loop", [](auto& path, auto&, auto&) { return symlink(path.c_str(), path.c_str()) == 0; }, missingFont,
         noMusic},
        {"named pipe", [](auto& path, auto&, auto&) { return mkfifo(path.c_str(), 0644) == 0; }, unusableFont,
         noMusic},
        // Sparse: it takes no disk space, yet reading it would take 2 GiB.
        {"2 GiB", [](auto& path, auto&, auto&) { return writeFile(path, "") && truncate(path.c_str(), 2l << 30) == 0; },
         unusableFont, hugeMusic},
    };
    for (const auto& c : cases) {
        std::string dir = testing::TempDir() + "lumenfoldContentXXXXXX";
        ASSERT_NE(mkdtemp(dir.data()), nullptr);
        const std::string fontPath = dir + "/Corvel.ttf", musicPath = dir + "/Korvane's Swing.mp3";
        ASSERT_TRUE(c.make(fontPath, font, music) && c.make(musicPath, music, font)) << c.name;
        AppOptions options = offscreenAppOptions(32, 18);
        options.volumeOverride = 16;
        options.playMusic = true;
        options.fontFile = fontPath.c_str();
        options.musicFile = musicPath.c_str();

        long long readBefore = bytesRead();
        ASSERT_GE(readBefore, 0) << "no read count in /proc/self/io, so the bound on reading cannot be checked";
        testing::internal::CaptureStderr();
        DemoApp app;
        bool started = appStartup(app, options);
        for (long frame = 0; started && frame < 3; ++frame)
            appFrame(app, fixedStepInput(frame, 10));
        if (started)
            appShutdown(app);
        std::string output = testing::internal::GetCapturedStderr();

        ASSERT_TRUE(started) << c.name;
        EXPECT_EQ(app.show->state.sequence.lastAppliedScene, showPlaylist[0]) << c.name;
        auto expand = [&dir](std::string line) {
            size_t slash = line.find('/');
            return slash == std::string::npos ? line : line.insert(slash, dir);
        };
        EXPECT_EQ(linesBeginning(output, {"GPU: ", "OpenGL: ", "Raymarch frag shader compiled: prog="}, false),
                  expand(c.fontLine) + expand(c.musicLine))
            << c.name;
        EXPECT_LT(bytesRead() - readBefore, 64ll << 20) << c.name;
        std::filesystem::remove_all(dir);
    }
}
