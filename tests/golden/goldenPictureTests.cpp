// tests/golden/goldenPictureTests.cpp
// Every scene at two of its moments, rendered by the demo's own frame step into a small target and compared with
// the reference pictures beside this file. LUMENFOLD_GOLDEN_UPDATE=1 writes the references instead; given two
// pictures as arguments it compares just those.
#include <gtest/gtest.h>

#include <GL/glew.h>
#include <png.h>
#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "app/demoApp.h"
#include "tools/common/pngWriter.h"
#include "scenes/sceneRegistry.h"
#include "show/show.h"

namespace {
constexpr int width = 96, height = 54, volSize = 32, fps = 4, rays = 1;

// Absolute differences averaged over a block, so a displacement counts as much as a change of colour: a changed
// constant shows even in the darkest scene; a few pixels may still flip where a voxel sits on a threshold.
constexpr int blockWidth = 8, blockHeight = 6;
constexpr double blockLimitLevels = 0.25;
constexpr int farLevels = 16, farPixelLimit = 8;

// A stretch of the script shorter than this shows no look of its own; a longer one than the longest is pictured
// once for each such span (a shutter takes four seconds to open, a fog rig lasts four).
constexpr long shortestFrames = 2, longestFrames = 4 * fps;

struct Picture {
    int width = 0, height = 0;
    std::vector<uint8_t> rgba;
};

bool readPng(const std::string& path, Picture& picture)
{
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str()))
        return false;
    image.format = PNG_FORMAT_RGBA;
    picture.width = (int)image.width;
    picture.height = (int)image.height;
    picture.rgba.resize(PNG_IMAGE_SIZE(image));
    bool ok = png_image_finish_read(&image, nullptr, picture.rgba.data(), 0, nullptr) != 0;
    png_image_free(&image);
    return ok;
}

struct Difference {
    double worstBlockLevels = 0.0;  // the largest mean difference of one colour channel over one block
    int farPixels = 0;              // pixels with a channel more than farLevels apart
    Picture picture;                // each pixel's largest channel difference, times four so that small ones show
};

Difference compare(const Picture& got, const Picture& want)
{
    Difference diff;
    diff.picture = got;
    auto level = [&](int x, int y, int c) {
        size_t i = ((size_t)y * got.width + x) * 4 + c;
        return (int)got.rgba[i] - (int)want.rgba[i];
    };
    for (int y = 0; y < got.height; ++y)
        for (int x = 0; x < got.width; ++x) {
            int d = std::max({std::abs(level(x, y, 0)), std::abs(level(x, y, 1)), std::abs(level(x, y, 2))});
            diff.farPixels += d > farLevels;
            uint8_t* shown = &diff.picture.rgba[((size_t)y * got.width + x) * 4];
            std::fill_n(shown, 3, (uint8_t)std::min(255, 4 * d));
            shown[3] = 255;
        }
    for (int by = 0; by + blockHeight <= got.height; by += blockHeight)
        for (int bx = 0; bx + blockWidth <= got.width; bx += blockWidth)
            for (int c = 0; c < 3; ++c) {
                int sum = 0;
                for (int y = by; y < by + blockHeight; ++y)
                    for (int x = bx; x < bx + blockWidth; ++x)
                        sum += std::abs(level(x, y, c));
                diff.worstBlockLevels = std::max(diff.worstBlockLevels, sum / (double)(blockWidth * blockHeight));
            }
    return diff;
}

std::string pictureName(const char* scene, float atSec)
{
    char name[64];
    snprintf(name, sizeof(name), "%s_%05.2f", scene, atSec);
    return name;
}

// The actual picture and the difference, where the person running the test can open them.
std::string keepFailure(const std::string& name, const Picture& got, const Difference& diff)
{
    mkdir("golden-failures", 0755);
    std::string base = "golden-failures/" + name;
    writePng((base + "_actual.png").c_str(), got.width, got.height, got.rgba.data());
    writePng((base + "_difference.png").c_str(), got.width, got.height, diff.picture.rgba.data());
    char* folder = realpath("golden-failures", nullptr);
    std::string where = std::string(folder ? folder : "golden-failures") + "/" + name + "_{actual,difference}.png";
    free(folder);
    return where;
}

ShowConfig goldenShowConfig(int tableIndex)
{
    ShowConfig config;
    config.startScene = tableIndex;
    config.volumeOverride = volSize;
    config.fixedRaysPerFrame = rays;
    return config;
}

// What makes a frame look different from its neighbours by the script's own reckoning: the phase, whether the
// volume is refilled, and the fill's whole-number settings (the intro's text, the fog's rig, the Amiga's flashing
// patch, the cloud's strike).
std::string lookOf(const Show& show, const FramePlan& plan)
{
    std::string look = std::to_string(show.state.sequence.currentScene->timeline.index);
    look += plan.fill.run ? '+' : '-';
    for (const FillUniform& uniform : plan.fill.request.uniforms)
        if (uniform.isInt)
            look.append(1, ' ').append(std::to_string(uniform.intValue));
    return look;
}

// The frames to picture in a scene entered at show time 0: the middle of every stretch of one look, found by
// rehearsing the scene until its script ends.
std::vector<long> lookMoments(int tableIndex)
{
    std::unique_ptr<Show> show = makeShow(goldenShowConfig(tableIndex));
    std::vector<std::string> looks;
    for (long frame = 0; looks.empty() || !show->state.sequence.currentScene->finished; ++frame)
        looks.push_back(lookOf(*show, stepShow(*show, fixedStepInput(frame, fps))));
    std::vector<long> moments;
    for (long start = 0, end = 0; start < (long)looks.size(); start = end) {
        while (end < (long)looks.size() && looks[end] == looks[start])
            ++end;
        long length = end - start, parts = (length + longestFrames - 1) / longestFrames;
        for (long part = 0; length >= shortestFrames && part < parts; ++part)
            moments.push_back(start + (2 * part + 1) * length / (2 * parts));
    }
    return moments;
}

bool alike(const std::string& name, const Difference& diff)
{
    printf("%-16s worst block %.3f levels apart, %d pixels over %d\n", name.c_str(), diff.worstBlockLevels,
           diff.farPixels, farLevels);
    return diff.worstBlockLevels <= blockLimitLevels && diff.farPixels <= farPixelLimit;
}

void expectAlike(const std::string& name, const Picture& got, const Picture& want)
{
    ASSERT_TRUE(want.width == got.width && want.height == got.height) << name << ": the sizes differ";
    Difference diff = compare(got, want);
    EXPECT_TRUE(alike(name, diff)) << name << ": a block " << diff.worstBlockLevels << " levels apart, "
                                   << diff.farPixels << " pixels over " << farLevels << " levels; see "
                                   << keepFailure(name, got, diff);
}

void checkPicture(const std::string& name, const Picture& got, bool update)
{
    std::string reference = std::string(LUMENFOLD_GOLDEN_DIR) + "/" + name + ".png";
    if (update) {
        EXPECT_TRUE(writePng(reference.c_str(), got.width, got.height, got.rgba.data())) << reference;
        return;
    }
    Picture want;
    ASSERT_TRUE(readPng(reference, want)) << "no reference picture " << reference;
    expectAlike(name, got, want);
}

// Two builds' pictures of one moment, held to the same metric: lumenfold_golden_tests GOT.png WANT.png.
int compareGivenPictures(const char* gotPath, const char* wantPath)
{
    Picture got, want;
    if (!readPng(gotPath, got) || !readPng(wantPath, want) || got.width != want.width || got.height != want.height) {
        fprintf(stderr, "cannot compare %s with %s: unreadable, or the sizes differ\n", gotPath, wantPath);
        return 1;
    }
    return alike("compared", compare(got, want)) ? 0 : 1;
}
}

TEST(GoldenPictures, EverySceneLooksAsItsReferencesInEveryLookItsScriptGivesIt)
{
    // One llvmpipe thread runs the GI's cells in one order, so the multi-bounce reads of cells the same pass
    // rewrites come out the same in every run; with more threads two runs differ by up to 13 levels in a block.
    setenv("LP_NUM_THREADS", "1", 1);
    AppOptions options = offscreenAppOptions(width, height);
    options.volumeOverride = volSize;
    options.fixedRaysPerFrame = rays;
    DemoApp app;
    ASSERT_TRUE(appStartup(app, options));
    // The references hold one renderer's rounding; another renderer, a GPU above all, draws the same show a
    // little differently, so there the comparison is skipped.
    const std::string renderer = std::string((const char*)glGetString(GL_RENDERER)) + ", OpenGL " +
                                 (const char*)glGetString(GL_VERSION);
    const std::string rendererFile = std::string(LUMENFOLD_GOLDEN_DIR) + "/renderer.txt";
    const bool update = getenv("LUMENFOLD_GOLDEN_UPDATE") != nullptr;
    if (update) {
        std::ofstream(rendererFile) << renderer << "\n";
    } else {
        std::string referenceRenderer;
        std::getline(std::ifstream(rendererFile), referenceRenderer);
        if (renderer != referenceRenderer) {
            appShutdown(app);
            GTEST_SKIP() << "the references were made with " << referenceRenderer << "; this is " << renderer;
        }
    }
    int pictures = 0;
    for (const SceneRow& row : sceneRegistry()) {
        appStartShow(app, row.tableIndex);
        long frame = 0;
        for (long moment : lookMoments(row.tableIndex)) {
            for (; frame <= moment; ++frame)
                appFrame(app, fixedStepInput(frame, fps));
            Picture got;
            readTargetPixels(got.rgba, got.width, got.height);
            checkPicture(pictureName(row.name, (float)moment / fps), got, update);
            ++pictures;
        }
    }
    appShutdown(app);
    printf("%d pictures\n", pictures);
    if (update)
        GTEST_SKIP() << "the references were written, not compared";
}

// A displacement inside one block leaves its signed sum as it was; it must still be caught.
TEST(GoldenMetric, APixelMovedWithinItsBlockIsCaught)
{
    Picture grey{width, height, std::vector<uint8_t>((size_t)width * height * 4, 64)};
    Picture moved = grey;
    grey.rgba[(width + 1) * 4] = moved.rgba[(width + 2) * 4] = 104;
    EXPECT_FALSE(alike("moved", compare(moved, grey)));
}

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    if (argc == 3)
        return compareGivenPictures(argv[1], argv[2]);
    int failed = RUN_ALL_TESTS();
    // ctest counts this status as a skip, so pictures that were not compared never pass as compared.
    return failed ? 1 : testing::UnitTest::GetInstance()->skipped_test_count() > 0 ? 77 : 0;
}
