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

namespace {
constexpr int width = 96, height = 54, volSize = 32, fps = 4, rays = 1;

// Absolute differences averaged over a block, so a displacement counts as much as a change of colour: a changed
// constant shows even in the darkest scene; a few pixels may still flip where a voxel sits on a threshold.
constexpr int blockWidth = 8, blockHeight = 6;
constexpr double blockLimitLevels = 0.25;
constexpr int farLevels = 16, farPixelLimit = 8;

struct Moment {
    const char* scene;
    float atSec[2];  // scene time, entered at show time 0
};
const Moment moments[] = {
    {"intro", {10.5f, 18.0f}},   {"cornell", {14.0f, 24.0f}},   {"cathedral", {2.5f, 6.0f}},
    {"shutters", {8.0f, 16.5f}}, {"metaballs", {10.0f, 20.0f}}, {"cloud", {5.75f, 15.0f}},
    {"fog", {6.0f, 18.0f}},      {"amiga", {6.0f, 21.5f}},      {"name", {6.0f, 11.0f}},
    {"logo", {12.0f, 20.0f}},
};

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

int tableIndexOf(const char* name)
{
    for (const SceneRow& row : sceneRegistry())
        if (std::string(row.name) == name)
            return row.tableIndex;
    return -1;
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

TEST(GoldenPictures, EverySceneLooksAsItsReferencesAtTwoMoments)
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
    for (const Moment& moment : moments) {
        int tableIndex = tableIndexOf(moment.scene);
        ASSERT_GE(tableIndex, 0) << moment.scene;
        appStartShow(app, tableIndex);
        long frame = 0;
        for (float atSec : moment.atSec) {
            for (; frame <= std::lround(atSec * fps); ++frame)
                appFrame(app, fixedStepInput(frame, fps));
            Picture got;
            readTargetPixels(got.rgba, got.width, got.height);
            checkPicture(pictureName(moment.scene, atSec), got, update);
        }
    }
    appShutdown(app);
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
