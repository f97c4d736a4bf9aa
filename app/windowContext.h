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
