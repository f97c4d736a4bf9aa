// tests/cpu/audioTests.cpp
// The 128 BPM beat flag over a scripted music cursor, the pulses' decay to rest, music that cannot play, and the
// built soundtrack: it decodes, does not clip, its kicks land on the beat grid from time 0, and its final chord
// lands on the show's close.
#include <gtest/gtest.h>

#include <miniaudio.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "app/demoApp.h"
#include "audio/beat.h"
#include "audio/music.h"
#include "platform/debugLog.h"

namespace {
constexpr int rate = 44100;
constexpr double beatFrames = 60.0 / 128.0 * rate;
constexpr int hop = 16;

// Running energy of the band below about 300 Hz, so the energy of any window is one subtraction.
std::vector<double> lowBandEnergy(const std::vector<float>& samples)
{
    const double smoothing = std::exp(-2.0 * 3.14159265 * 300.0 / rate);
    std::vector<double> running(samples.size() + 1, 0.0);
    double a = 0.0, b = 0.0;
    for (size_t i = 0; i < samples.size(); ++i) {
        a = samples[i] + smoothing * (a - samples[i]);
        b = a + smoothing * (b - a);
        running[i + 1] = running[i] + b * b;
    }
    return running;
}

// Low-band energy of the 10 ms after the sample minus that of the 10 ms before: large where a kick starts.
double onsetAt(const std::vector<double>& running, double sample)
{
    const long window = rate / 100;
    const long at = std::clamp(std::lround(sample), window, (long)running.size() - 1 - window);
    return std::max(0.0, running[at + window] - 2.0 * running[at] + running[at - window]);
}

// Codec delays shift every beat alike: the shift of the grid over beats [first, last) that collects the
// most onset strength measures that delay together with the detector's lag.
double gridShift(const std::vector<double>& running, int first, int last)
{
    double bestShift = 0.0, bestScore = -1.0;
    for (int shift = -2000; shift <= 4000; shift += hop) {
        double score = 0.0;
        for (int k = first; k < last; ++k)
            score += onsetAt(running, k * beatFrames + shift);
        if (score > bestScore)
            std::tie(bestShift, bestScore) = std::pair{(double)shift, score};
    }
    return bestShift;
}
}

TEST(BeatTracking, FlagsOneFrameWhenTheBeatFractionFallsBackAndPulsesDecayToRest)
{
    // A beat lasts 60 / 128 = 0.46875 s.
    const struct { std::vector<float> cursorsSec; std::vector<int> flaggedFrames; } cases[] = {
        {{0.0f}, {}},  // the first frame has no earlier fraction to fall from
        {{0.0f, 0.2f, 0.4f, 0.46875f, 0.5f, 0.6f}, {3}},
        {{0.3f, 1.2f, 1.25f}, {1}},  // a stall across 0.46875 and 0.9375 raises the flag once
        {{0.3f, 0.3f, 0.3f, 0.5f, 0.5f, 0.5f}, {3}},  // frames faster than the cursor see the same value
    };
    for (const auto& c : cases) {
        BeatState beat;
        std::vector<int> flagged;
        for (size_t frame = 0; frame < c.cursorsSec.size(); ++frame) {
            trackBeat(beat, c.cursorsSec[frame]);
            if (beat.beatFlag)
                flagged.push_back((int)frame);
        }
        EXPECT_EQ(flagged, c.flaggedFrames) << "starting at " << c.cursorsSec[0];
    }

    // The pulses decay to exactly zero instead of trailing off.
    BeatState beat;
    beat.cameraKick = beat.hihatPulse = 1.0f;
    for (int frame = 0; frame < 100; ++frame)
        decayPulses(beat);
    EXPECT_TRUE(beat.cameraKick == 0.0f && beat.hihatPulse == 0.0f);
}

TEST(MusicPlayback, UnusableFilesLeaveTheDemoSilentOnlyAMissingFileIsReportedAndTheEngineWritesNothing)
{
    std::string dir = testing::TempDir() + "lumenfoldMusicXXXXXX";
    ASSERT_NE(mkdtemp(dir.data()), nullptr);
    // A file that exists but does not decode is silent; only what is not a readable file is reported,
    // with or without an engine to play it on.
    const struct { const char* name; std::string bytes; const char* log; } cases[] = {
        {"empty.mp3", "", ""}, {"text.mp3", "This is a note about the music, not the music itself.\n", ""},
        {"cutWav.mp3", std::string("RIFF\x24\x10\x00\x00WAVEfmt \x10\x00\x00\x00\x01\x00", 22), ""},
        {"cutMp3.mp3", std::string("\xff\xfb\x90\x64\x00\x00\x00\x00", 8), ""},
        {"folder.mp3", "", "mp3 not found.\n"}, {"missing.mp3", "", "mp3 not found.\n"},
    };
    for (const auto& c : cases)
        if (!*c.log)
            std::ofstream(dir + "/" + c.name, std::ios::binary) << c.bytes;
    ASSERT_TRUE(std::filesystem::create_directory(dir + "/folder.mp3"));
    // Without a sound card the engine probes ALSA before it settles on the null device, quietly.
    testing::internal::CaptureStderr();
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
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    std::filesystem::remove_all(dir);
}

TEST(Soundtrack, KeepsTheBeatGridFromTimeZeroAndEndsOnTheShowsClose)
{
    const std::string path = std::string(LUMENFOLD_RUN_DIR) + "/Korvane's Swing.mp3";
    ma_decoder_config config = ma_decoder_config_init(ma_format_f32, 1, rate);
    ma_uint64 frames = 0;
    void* pcm = nullptr;
    ASSERT_EQ(ma_decode_file(path.c_str(), &config, &frames, &pcm), MA_SUCCESS) << path << " is missing";
    const std::vector<float> samples((float*)pcm, (float*)pcm + frames);
    ma_free(pcm, nullptr);
    const auto [low, high] = std::minmax_element(samples.begin(), samples.end());
    EXPECT_LE(std::max(-*low, *high), 1.0f) << "clipped";

    const std::vector<double> running = lowBandEnergy(samples);
    const int beats = (int)(samples.size() / beatFrames);
    const double shift = gridShift(running, 0, beats);
    EXPECT_TRUE(shift >= -0.005 * rate && shift <= 0.07 * rate) << shift << ": the first kick is not at time 0";

    // A kick is an onset within 3 ms of the grid well above the beat's mean onset and not lost in a fading tail.
    std::vector<double> nearGrid(beats, 0.0), beatMean(beats, 0.0);
    for (int k = 0; k < beats; ++k) {
        for (int d = -3 * rate / 1000; d <= 3 * rate / 1000; d += hop)
            nearGrid[k] = std::max(nearGrid[k], onsetAt(running, k * beatFrames + shift + d));
        int taken = 0;
        for (double at = k * beatFrames; at < (k + 1) * beatFrames; at += hop, ++taken)
            beatMean[k] += onsetAt(running, at);
        beatMean[k] /= taken;
    }
    const double strongest = *std::max_element(nearGrid.begin(), nearGrid.end());
    std::vector<bool> kicked(beats);
    for (int k = 0; k < beats; ++k)
        kicked[k] = nearGrid[k] > 3.0 * beatMean[k] && nearGrid[k] > 0.01 * strongest;
    // Every beat up to the final chord has a kick.
    const int finalChord = (int)(std::find(kicked.rbegin(), kicked.rend(), true).base() - kicked.begin()) - 1;
    ASSERT_GT(finalChord, 0) << "no kicks";
    const auto firstMissing = std::find(kicked.begin(), kicked.begin() + finalChord, false);
    EXPECT_EQ(firstMissing - kicked.begin(), finalChord) << "first beat without a kick";
    // A tempo off by a fraction of a sample per beat moves the grid by many milliseconds over the piece.
    EXPECT_LE(std::fabs(gridShift(running, 0, finalChord / 3) - gridShift(running, finalChord * 2 / 3, finalChord)),
              0.002 * rate);

    // The final chord lands on the last bar line before the close at 60 fps, so the close never cuts the music,
    // and rings out for at most four seconds.
    const long showFrames = countShowFrames(ShowConfig(), 60, 300 * 60);
    ASSERT_GT(showFrames, 0);
    const double closeSec = showFrames / 60.0, finalChordSec = finalChord * beatFrames / rate;
    EXPECT_EQ(finalChord % 4, 0) << "the final chord is off the bar line";
    EXPECT_LE(finalChordSec, closeSec) << "the close cuts the final chord";
    EXPECT_GT(finalChordSec, closeSec - 4 * beatFrames / rate) << "the music ends more than a bar before the close";
    const auto lastHeard = std::find_if(samples.rbegin(), samples.rend(), [](float s) { return std::fabs(s) > 1e-3f; });
    const double endSec = ((double)(samples.rend() - lastHeard) - shift) / rate;
    EXPECT_LE(endSec - finalChordSec, 4.05) << "the final chord rings out too long";
}
