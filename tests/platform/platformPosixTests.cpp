// tests/platform/platformPosixTests.cpp
// The capture tool's child process, stop handler and output files on Linux; each signal goes to a process of its own.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/childProcess.h"
#include "platform/stopSignal.h"
#include "temporaryFileTests.h"

TEST(ChildProcess, AChildThatFailsOrIsKilledIsReportedSoAndOnlyAZeroExitIsSuccess)
{
    const struct { std::vector<std::string> args; const char* said; } cases[] = {
        {{"true"}, ""},
        {{"sh", "-c", "exit 3"}, "failed with status 3"},
        {{"sh", "-c", "kill -TERM $$"}, "was ended by signal 15"},
    };
    for (const auto& c : cases) {
        ChildProcess child;
        ASSERT_EQ(startChildProcess(c.args, stderr, child), "");
        EXPECT_EQ(waitForChild(child), c.said) << c.args.back();
        EXPECT_EQ(child.id, -1);
    }
    ChildProcess none;
    EXPECT_NE(startChildProcess({"lumenfold-not-a-program"}, stderr, none).find("is not installed"), std::string::npos);
    EXPECT_EQ(none.id, -1);
}

// The first stop request ends the encoder and removes the guarded files at once; the second ends the process.
TEST(StopSignalDeathTest, TheFirstSignalCleansUpAndTheSecondEndsTheProcess)
{
    const std::string folder = freshFolder(), guarded = folder + "/guarded", released = folder + "/released";
    ASSERT_FALSE(folder.empty());
    auto state = [](const std::string& path) { return access(path.c_str(), F_OK) == 0 ? "there" : "gone"; };
    for (int signal : {SIGINT, SIGTERM, SIGHUP}) {
        EXPECT_EXIT(
            {
                installStopHandlers();
                writeFile(guarded, "unfinished");
                writeFile(released, "finished");
                guardTemporary(0, guarded.c_str());
                guardTemporary(1, released.c_str());
                guardTemporary(1, nullptr);
                ChildProcess encoder;
                startChildProcess({"cat"}, stderr, encoder);
                guardEncoder(encoder.id);
                raise(signal);
                fprintf(stderr, "asked by %d, guarded %s, released %s, encoder %s\n", stopRequested(),
                        state(guarded), state(released), waitForChild(encoder).c_str());
                raise(signal);
                _exit(0);
            },
            testing::KilledBySignal(signal),
            "asked by " + std::to_string(signal) + ", guarded gone, released there, encoder was ended by signal 9");
    }
    std::filesystem::remove_all(folder);
}

TEST(TemporaryFile, TheReplacedOutputStaysWholeForItsReaderAndTheNewOneFollowsTheUmask)
{
    const std::string folder = freshFolder(), out = folder + "/out.png";
    ASSERT_FALSE(folder.empty());
    for (mode_t mask : {022, 077, 002}) {
        writeFile(out, std::string(100000, 'o'));
        std::ifstream viewer(out, std::ios::binary);
        mode_t before = umask(mask);
        std::string temporary;
        ASSERT_EQ(createTemporaryBeside(out, temporary), "");
        umask(before);
        writeFile(temporary, std::string(300000, 'n'));
        ASSERT_EQ(commitTemporary(temporary, out), "");
        EXPECT_TRUE(std::string(std::istreambuf_iterator<char>(viewer), {}) == std::string(100000, 'o'))
            << "the viewer's file changed under it";
        struct stat status;
        ASSERT_EQ(stat(out.c_str(), &status), 0);
        EXPECT_EQ(status.st_mode & 0777, 0666 & ~mask) << "umask " << mask;
    }
    std::filesystem::remove_all(folder);
}
