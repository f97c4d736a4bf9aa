// tests/app/contentFaultTests.cpp
// The demo's start-up, frames and shutdown with its font and its music both broken the same way: it starts,
// says at most one line about each file, plays its frames and reads no file without bound.
// An unreadable file needs a user that is not root; the whole-program run covers it.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <string>

#include "app/demoApp.h"
#include "sequencer/sceneSequence.h"

namespace {
enum class Fault { missing, empty, truncated, randomBytes, otherKind, folder, danglingLink, linkLoop, namedPipe, huge };

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void writeFile(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

// Puts the fault in place under path; real is a good file of this kind, other a good file of the other kind.
bool makeFault(Fault fault, const std::string& path, const std::string& real, const std::string& other)
{
    switch (fault) {
    case Fault::missing:
        return true;
    case Fault::empty:
        writeFile(path, "");
        return true;
    case Fault::truncated:
        writeFile(path, real.substr(0, real.size() / 2));
        return true;
    case Fault::randomBytes: {
        std::mt19937 random(7);
        std::string bytes(256 << 10, '\0');
        for (char& byte : bytes)
            byte = (char)random();
        writeFile(path, bytes);
        return true;
    }
    case Fault::otherKind:
        writeFile(path, other);
        return true;
    case Fault::folder:
        return mkdir(path.c_str(), 0755) == 0;
    case Fault::danglingLink:
        return symlink("nothing here", path.c_str()) == 0;
    case Fault::linkLoop:
        return symlink(path.c_str(), path.c_str()) == 0;
    case Fault::namedPipe:
        return mkfifo(path.c_str(), 0644) == 0;
    case Fault::huge: {
        // Sparse: it takes no disk space, yet reading it would take 2 GiB.
        int fd = open(path.c_str(), O_CREAT | O_WRONLY, 0644);
        bool made = fd >= 0 && ftruncate(fd, (off_t)2 << 30) == 0;
        if (fd >= 0)
            close(fd);
        return made;
    }
    }
    return false;
}

// Bytes this process has read through system calls so far.
long long bytesRead()
{
    std::ifstream io("/proc/self/io");
    std::string key;
    long long value = 0;
    while (io >> key >> value)
        if (key == "rchar:")
            return value;
    return 0;
}

// The demo's output without the start-up lines every run has.
std::string contentLines(const std::string& output)
{
    std::istringstream lines(output);
    std::string line, kept;
    while (std::getline(lines, line))
        if (line.rfind("GPU: ", 0) != 0 && line.rfind("OpenGL: ", 0) != 0 &&
            line.rfind("Raymarch frag shader compiled: prog=", 0) != 0)
            kept += line + "\n";
    return kept;
}
}

TEST(ContentFaults, EveryBrokenFontAndMusicFileLeavesOneLineAtMostAndTheShowPlays)
{
    const std::string font = readFile("/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf");
    const std::string music = readFile(std::string(LUMENFOLD_RUN_DIR) + "/Korvane's Swing.mp3");
    ASSERT_GT(font.size(), 1000u);
    ASSERT_GT(music.size(), 1000u);
    const std::string missingFont = "Missing font: Corvel.ttf not found in working directory\n";
    const std::string unusableFont = "/Corvel.ttf is not a usable font; the built-in font serves\n";
    const std::string noMusic = "mp3 not found.\n";
    const std::string hugeMusic = "/Korvane's Swing.mp3 is larger than 256 MiB, too large for a soundtrack; the demo "
                                  "runs silently\n";
    // Expected lines; one starting with '/' follows the folder's path. Files that exist but do not decode (or a
    // truncated one that plays its first half) leave the demo silent without a word.
    const struct { const char* name; Fault fault; std::string fontLine, musicLine; } cases[] = {
        {"missing", Fault::missing, missingFont, noMusic},
        {"empty", Fault::empty, unusableFont, ""},
        {"truncated", Fault::truncated, unusableFont, ""},
        {"random bytes", Fault::randomBytes, unusableFont, ""},
        {"the other kind", Fault::otherKind, unusableFont, ""},
        {"folder", Fault::folder, unusableFont, noMusic},
        {"dangling link", Fault::danglingLink, missingFont, noMusic},
        {"link loop", Fault::linkLoop, missingFont, noMusic},
        {"named pipe", Fault::namedPipe, unusableFont, noMusic},
        {"2 GiB", Fault::huge, unusableFont, hugeMusic},
    };
    for (const auto& c : cases) {
        std::string dir = testing::TempDir() + "lumenfoldContentXXXXXX";
        ASSERT_NE(mkdtemp(dir.data()), nullptr);
        const std::string fontPath = dir + "/Corvel.ttf", musicPath = dir + "/Korvane's Swing.mp3";
        ASSERT_TRUE(makeFault(c.fault, fontPath, font, music)) << c.name;
        ASSERT_TRUE(makeFault(c.fault, musicPath, music, font)) << c.name;
        AppOptions options = offscreenAppOptions(32, 18);
        options.volumeOverride = 16;
        options.playMusic = true;
        options.fontFile = fontPath.c_str();
        options.musicFile = musicPath.c_str();

        long long readBefore = bytesRead();
        testing::internal::CaptureStderr();
        bool started = appStartup(options);
        for (long frame = 0; started && frame < 3; ++frame)
            appFrame(fixedStepInput(frame, 10));
        if (started)
            appShutdown();
        std::string output = testing::internal::GetCapturedStderr();

        EXPECT_TRUE(started) << c.name;
        EXPECT_EQ(lastAppliedScene, scenePlaylist[0]) << c.name;
        auto expand = [&dir](const std::string& line) { return line[0] == '/' ? dir + line : line; };
        EXPECT_EQ(contentLines(output), expand(c.fontLine) + expand(c.musicLine)) << c.name;
        EXPECT_LT(bytesRead() - readBefore, 64ll << 20) << c.name;
        std::filesystem::remove_all(dir);
    }
}
