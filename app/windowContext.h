// app/windowContext.h
// The window with its OpenGL 4.3 context: opened once at start-up, presented each frame, closed at shutdown.
#pragma once

struct AppOptions;
struct GLFWwindow;

// Returns false after printing one line that names what failed, with nothing left open.
bool openWindowContext(const AppOptions& options);
// Prints one line naming what failed, closes the window and the windowing library, and returns false.
bool failWindowContext(const char* what);
void closeWindowContext();
// Clears the window to black and shows it, so nothing stale flashes while the programs build.
void presentBlackFrame();
void presentFrame();
void askWindowToClose();
bool windowMinimised();
// Returns after the next window event, or after timeoutSec without one.
void waitForWindowEvents(double timeoutSec);

struct WindowSize {
    int width = 0, height = 0;
};
// The largest exact 16:9 size that fits the space given, at most the show's 1920x1080; 0x0 where none fits.
WindowSize largestShowWindow(int availableWidth, int availableHeight);
