// tests/cpu/soundtrackTests.cpp
// The built soundtrack decodes, is not silent, and its kicks land on the 128 BPM grid from time 0.
#include <gtest/gtest.h>

#include <miniaudio.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace {
constexpr int rate = 44100;
constexpr double beatFrames = 60.0 / 128.0 * rate;
constexpr int hop = 16;

std::vector<float> decodeMono(const std::string& path)
{
    std::vector<float> samples;
    ma_decoder_config config = ma_decoder_config_init(ma_format_f32, 1, rate);
    ma_decoder decoder;
    if (ma_decoder_init_file(path.c_str(), &config, &decoder) != MA_SUCCESS)
        return samples;
    float block[4096];
    ma_uint64 read = 0;
    while (ma_decoder_read_pcm_frames(&decoder, block, 4096, &read) == MA_SUCCESS && read > 0)
        samples.insert(samples.end(), block, block + read);
    ma_decoder_uninit(&decoder);
    return samples;
}

// Low-band energy of the 10 ms after each hop minus that of the 10 ms before: large where a kick starts.
std::vector<float> lowBandOnsets(const std::vector<float>& samples)
{
    const double smoothing = std::exp(-2.0 * 3.14159265 * 300.0 / rate);
    std::vector<double> running(samples.size() + 1, 0.0);
    double a = 0.0;
    double b = 0.0;
    for (size_t i = 0; i < samples.size(); ++i) {
        a = samples[i] + smoothing * (a - samples[i]);
        b = a + smoothing * (b - a);
        running[i + 1] = running[i] + b * b;
    }
    const size_t window = rate / 100;
    std::vector<float> onsets(samples.size() / hop, 0.0f);
    for (size_t j = 0; j < onsets.size(); ++j) {
        size_t at = j * hop;
        if (at + window > samples.size())
            continue;
        double after = running[at + window] - running[at];
        double before = running[at] - running[at >= window ? at - window : 0];
        onsets[j] = (float)std::max(0.0, after - before);
    }
    return onsets;
}

// Mean onset strength at the beats [first, last) of the grid shifted by offsetFrames.
double gridScore(const std::vector<float>& onsets, double offsetFrames, int first, int last)
{
    double sum = 0.0;
    for (int k = first; k < last; ++k) {
        long j = std::lround((k * beatFrames + offsetFrames) / hop);
        if (j >= 0 && j < (long)onsets.size())
            sum += onsets[j];
    }
    return sum / (last - first);
}

struct GridFit {
    double offsetFrames;
    double score;
    double meanScore;  // over every offset tried: what an unrelated grid collects
};

GridFit fitGrid(const std::vector<float>& onsets, int first, int last)
{
    GridFit fit{0.0, -1.0, 0.0};
    int tried = 0;
    for (int offset = -2000; offset <= 4000; offset += hop) {
        double score = gridScore(onsets, offset, first, last);
        fit.meanScore += score;
        ++tried;
        if (score > fit.score) {
            fit.offsetFrames = offset;
            fit.score = score;
        }
    }
    fit.meanScore /= tried;
    return fit;
}
}

TEST(Soundtrack, KicksFallOnTheBeatGridFromTimeZero)
{
    const std::string path = std::string(LUMENFOLD_RUN_DIR) + "/Korvane's Swing.mp3";
    std::vector<float> samples = decodeMono(path);
    ASSERT_GT(samples.size(), (size_t)(240 * rate)) << path << " is missing or too short for the show";

    double squares = 0.0;
    float peak = 0.0f;
    for (float s : samples) {
        squares += (double)s * s;
        peak = std::max(peak, std::fabs(s));
    }
    EXPECT_GT(std::sqrt(squares / samples.size()), 0.05) << "the music is close to silent";
    EXPECT_GT(peak, 0.5f);
    EXPECT_LE(peak, 1.0f) << "clipped";

    const std::vector<float> onsets = lowBandOnsets(samples);
    // The last two seconds are the ring-out after the final kick.
    const int beats = (int)((samples.size() - 2 * rate) / beatFrames);

    // Codec delays shift every beat alike; the fit measures the shift together with the detector's lag.
    GridFit whole = fitGrid(onsets, 0, beats);
    EXPECT_GT(whole.score, 3.0 * whole.meanScore) << "no strong pulse at exactly 128 BPM";
    EXPECT_GE(whole.offsetFrames, -0.005 * rate);
    EXPECT_LE(whole.offsetFrames, 0.07 * rate) << "more than the codec's delay: the first kick is not at time 0";
    // A tempo off by a fraction of a sample per beat moves the grid by many milliseconds over the piece.
    GridFit early = fitGrid(onsets, 0, beats / 3);
    GridFit late = fitGrid(onsets, beats * 2 / 3, beats);
    EXPECT_LE(std::fabs(early.offsetFrames - late.offsetFrames), 0.002 * rate);

    int missing = 0;
    for (int k = 0; k < beats && missing < 10; ++k) {
        double expected = k * beatFrames + whole.offsetFrames;
        float atBeat = 0.0f;
        for (long j = std::lround((expected - 0.003 * rate) / hop); j <= std::lround((expected + 0.003 * rate) / hop); ++j)
            if (j >= 0 && j < (long)onsets.size())
                atBeat = std::max(atBeat, onsets[j]);
        double beatSum = 0.0;
        long first = std::lround(k * beatFrames / hop);
        long last = std::lround((k + 1) * beatFrames / hop);
        for (long j = first; j < last; ++j)
            beatSum += onsets[j];
        if (atBeat <= 3.0 * beatSum / (double)(last - first)) {
            ADD_FAILURE() << "no kick on beat " << k;
            ++missing;
        }
    }
}
