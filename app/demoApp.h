// app/demoApp.h
// Start-up, one frame and shutdown, shared by the demo, the capture tool, the benchmark and the GL tests.
// What differs between them is injected: the window, the frame input, the render target and the music.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "gpu/gpu.h"
#include "show/show.h"

struct GLFWwindow;

struct AppOptions {
    bool fullscreen = true;
    int windowWidth = 1920;
    int windowHeight = 1080;
    bool visible = true;
    // Above 0: frames go to an off-screen framebuffer of this size instead of the window.
    int targetWidth = 0;
    int targetHeight = 0;
    bool playMusic = true;
    int startScene = -1;             // scene-table index the show enters first; -1: the playlist's first
    int volumeOverride = 0;          // above 0: this volSize replaces every scene's, for previews and fast tests
    bool emptySpaceSkipping = true;  // false: the GI and the raymarch take every step
    int fixedRaysPerFrame = 0;       // above 0: the GI casts exactly this many rays, and the ray budget rests
    bool glDebugOutput = false;      // GL debug messages to the log in any build; Debug builds always have them
    const char* fontFile = "Corvel.ttf";
    const char* musicFile = "Korvane's Swing.mp3";
};

// A driver's run: the GPU back end it draws with and the show it plays, which a new one replaces.
struct DemoApp {
    AppOptions options;
    Gpu gpu;
    std::unique_ptr<Show> show;
    float captionFontSize = 13.0f;
    GpuTimes previousGpuTimes;  // what the GPU half measured last, for the next frame's ray budget
};

// A hidden window drawing into an off-screen target of this size, without music: the offline drivers' set-up.
AppOptions offscreenAppOptions(int width, int height);

// Returns false after printing one line that names what failed; the caller exits with appStartupFailureStatus().
bool appStartup(DemoApp& app, const AppOptions& options);
// After a failed start-up: 2 when the options ask for more than this driver holds, otherwise 1.
int appStartupFailureStatus();
// A new show from its first frame, entering startScene first (-1: the playlist's first); the window and the GPU
// resources stay.
void appStartShow(DemoApp& app, int startScene);
// Steps the show, draws its plan into the target and presents it; asks the window to close on the last frame.
FramePlan appFrame(DemoApp& app, const FrameInput& input);
// The show steps on without drawing, as while the window is minimised; asks the window to close on the last frame.
void appStepWithoutDrawing(DemoApp& app, const FrameInput& input);
// The live demo's input: the windowing timer and the sound's playback cursor.
FrameInput liveFrameInput();
bool appShouldClose();
void appShutdown(DemoApp& app);

GLFWwindow* appWindow();
// Reads the current target (window or off-screen framebuffer) as RGBA8, top row first.
void readTargetPixels(std::vector<uint8_t>& rgba, int& width, int& height);
