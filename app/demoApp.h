// app/demoApp.h
// Start-up, one frame and shutdown, shared by the demo, the capture tool, the benchmark and the GL tests.
// What differs between them is injected: the window, the frame input, the render target and the music.
#pragma once

#include <cstdint>
#include <vector>

#include "app/frameInput.h"

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
    int volumeOverride = 0;     // above 0: this volSize replaces every scene's, for previews and fast tests
    bool emptySpaceSkipping = true;  // false: the GI and the raymarch take every step
    int fixedRaysPerFrame = 0;       // above 0: see appFixRaysPerFrame
    const char* fontFile = "Corvel.ttf";
    const char* musicFile = "Korvane's Swing.mp3";
};

// A hidden window drawing into an off-screen target of this size, without music: the offline drivers' set-up.
AppOptions offscreenAppOptions(int width, int height);

// Returns false after printing one line that names what failed; the caller exits with appStartupFailureStatus().
bool appStartup(const AppOptions& options);
// After a failed start-up: 2 when the options ask for more than this driver holds, otherwise 1.
int appStartupFailureStatus();
void appFrame(const FrameInput& input);
// The live demo's input: the windowing timer and the sound's playback cursor.
FrameInput liveFrameInput();
// Above 0: the GI casts exactly this many rays per cell, whatever scenes say, and the budget controller rests.
void appFixRaysPerFrame(int rays);
bool appShouldClose();
void appShutdown();

GLFWwindow* appWindow();
// Reads the current target (window or off-screen framebuffer) as RGBA8, top row first.
void readTargetPixels(std::vector<uint8_t>& rgba, int& width, int& height);

// Restores every piece of shared scene-facing state to its start-up value.
void restoreSharedDefaults();
// Restores everything that lives for the whole run, the shared defaults and every scene's own, so that a second
// show in the same process plays as the first did.
void resetRun();

// The frame step with the GPU passes off: it needs no context. True on the frame on which the show ends.
bool rehearseFrame(const FrameInput& input);
// Frames of the whole show on the fixed step, up to and including the one on which the show ends; -1 when it
// does not end within limitFrames. Resets the run before and after, so call it before a show, not during one.
long countShowFrames(int fps, long limitFrames);
