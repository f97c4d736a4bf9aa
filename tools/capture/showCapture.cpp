// tools/capture/showCapture.cpp
#include "tools/capture/showCapture.h"

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "app/contentFiles.h"
#include "app/demoApp.h"
#include "tools/capture/renderProgress.h"
#include "tools/capture/showFrames.h"
#include "scenes/sceneRegistry.h"
#include "tools/capture/contactSheet.h"
#include "tools/capture/outputFile.h"
#include "platform/platform.h"
#include "platform/stopSignal.h"
#include "tools/capture/videoPipe.h"

namespace {
// Beyond this side a sheet would take gigabytes of memory and few viewers would open it.
constexpr int sheetMaxSide = 16384;

struct ShowPlan {
    long showFrames = 0;
    FrameRange range;
    std::vector<long> tiles;
    ContactSheet sheet;
    std::string sheetTemporary;
    VideoPipe video;
};

int refuse(const std::string& message, int status)
{
    fprintf(stderr, "lumenfold-capture: %s\n", message.c_str());
    return status;
}

void discardOutputs(ShowPlan& plan)
{
    if (plan.video.child.id > 0)
        abandonVideo(plan.video);
    if (!plan.sheetTemporary.empty())
        remove(plan.sheetTemporary.c_str());
    guardTemporary(1, nullptr);
}

// Ranges, tiles and output files are settled before the slow part, so bad input fails at once.
int planShow(const CaptureArgs& args, ShowPlan& plan)
{
    plan.showFrames = countShowFrames(ShowConfig(), args.fps, frameAtOrAfter(captureMaxSec, args.fps) + 1);
    if (plan.showFrames < 0)
        return refuse("the show does not end within 3600 s", 1);
    std::string error = rangeInShow(args.fromSec, args.toSec, args.fps, plan.showFrames, plan.range);
    if (!error.empty())
        return refuse(error, 2);
    if (!args.sheet.empty()) {
        plan.tiles = sheetFrames(plan.range, args.fromSec, args.everySec, args.fps);
        SheetGrid grid = sheetGrid((int)plan.tiles.size(), args.width, args.height);
        if ((long)grid.columns * args.width > sheetMaxSide || (long)grid.rows * args.height > sheetMaxSide)
            return refuse("a sheet of " + std::to_string(plan.tiles.size()) + " tiles would be too large; " +
                              "take a longer --every or a smaller --size",
                          2);
        error = createTemporaryBeside(args.sheet, plan.sheetTemporary);
        if (!error.empty())
            return refuse(error, 1);
        guardTemporary(1, plan.sheetTemporary.c_str());
        beginSheet(plan.sheet, (int)plan.tiles.size(), args.width, args.height);
    }
    if (!args.video.empty()) {
        VideoJob job;
        job.path = args.video;
        job.width = args.width;
        job.height = args.height;
        job.fps = args.fps;
        job.audioStartSec = (double)plan.range.first / args.fps;
        job.durationSec = (double)(plan.range.end - plan.range.first) / args.fps;
        job.musicFile = AppOptions().musicFile;
        if (!fileOpens(job.musicFile.c_str())) {
            fprintf(stderr, "lumenfold-capture: %s is not in the working directory; the video is silent\n",
                    job.musicFile.c_str());
            job.musicFile.clear();
        }
        error = startVideo(job, plan.video);
        if (!error.empty()) {
            discardOutputs(plan);
            return refuse(error, 1);
        }
    }
    return 0;
}

void reportProgress(long done, long total, const char* scene, double elapsedSec, bool terminal)
{
    std::string text = progressText(done, total, scene, elapsedSec);
    if (terminal)
        fprintf(stderr, "\r%s\033[K", text.c_str());
    else if (progressStepDue(done, total))
        fprintf(stderr, "lumenfold-capture: %s\n", text.c_str());
}

// Every frame from show time 0 to the range's end; the ones inside it go to the video and the sheet.
std::string renderFrames(DemoApp& app, const CaptureArgs& args, ShowPlan& plan, bool terminal)
{
    auto start = std::chrono::steady_clock::now();
    std::vector<uint8_t> pixels;
    size_t nextTile = 0;
    for (long frame = 0; frame < plan.range.end && !stopRequested(); ++frame) {
        appFrame(app, fixedStepInput(frame, args.fps));
        const char* scene = sceneName(app.show->state.sequence.lastAppliedScene);
        // The rehearsal must have found the same end, or the soundtrack would not match the picture.
        if (appShouldClose() != (frame == plan.showFrames - 1))
            return "the show " + std::string(appShouldClose() ? "closed" : "went on") + " at frame " +
                   std::to_string(frame) + ", unlike its rehearsal, which closed at frame " +
                   std::to_string(plan.showFrames - 1);
        if (frame >= plan.range.first) {
            int width = 0, height = 0;
            readTargetPixels(pixels, width, height);
            if (plan.video.child.id > 0 && !writeVideoFrame(plan.video, pixels.data(), pixels.size()))
                return "";  // ffmpeg has stopped; finishing it says why
            if (nextTile < plan.tiles.size() && plan.tiles[nextTile] == frame)
                placeTile(plan.sheet, (int)nextTile++, pixels.data(), scene, (double)frame / args.fps);
        }
        std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        reportProgress(frame + 1, plan.range.end, scene, elapsed.count(), terminal);
    }
    return "";
}

std::string renderShow(DemoApp& app, const CaptureArgs& args, ShowPlan& plan)
{
    bool terminal = standardErrorIsTerminal();
    std::string error = renderFrames(app, args, plan, terminal);
    if (terminal)
        fputc('\n', stderr);  // the progress line stays, and what follows starts below it
    return error;
}

int reportStop(ShowPlan& plan)
{
    discardOutputs(plan);
    fprintf(stderr, "lumenfold-capture: stopped; nothing was written\n");
    return 128 + stopRequested();
}

int writeOutputs(const CaptureArgs& args, ShowPlan& plan)
{
    if (plan.video.child.id > 0) {
        std::string error = finishVideo(plan.video);
        if (!error.empty() && stopRequested())
            return reportStop(plan);
        if (!error.empty()) {
            discardOutputs(plan);
            return refuse(error, 1);
        }
        printf("%s: %dx%d at %d fps, %.3f s to %.3f s (%ld frames)\n", args.video.c_str(), args.width, args.height,
               args.fps, (double)plan.range.first / args.fps, (double)plan.range.end / args.fps,
               plan.range.end - plan.range.first);
    }
    if (!plan.sheetTemporary.empty()) {
        guardTemporary(1, nullptr);
        std::string error =
            commitPng(plan.sheetTemporary, args.sheet, plan.sheet.width, plan.sheet.height, plan.sheet.rgba.data());
        if (!error.empty())
            return refuse(error, 1);
        printf("%s: %zu tiles of %dx%d, %d columns by %d rows, every %.3f s\n", args.sheet.c_str(),
               plan.tiles.size(), args.width, args.height, plan.sheet.grid.columns, plan.sheet.grid.rows,
               args.everySec);
    }
    return 0;
}
}

int captureShow(const CaptureArgs& args)
{
    installStopHandlers();
    ShowPlan plan;
    if (int status = planShow(args, plan))
        return status;

    DemoApp app;
    if (!appStartup(app, captureAppOptions(args))) {
        discardOutputs(plan);
        return appStartupFailureStatus();
    }
    std::string error = renderShow(app, args, plan);
    appShutdown(app);
    if (stopRequested())
        return reportStop(plan);
    if (!error.empty()) {
        discardOutputs(plan);
        return refuse(error, 1);
    }
    return writeOutputs(args, plan);
}
