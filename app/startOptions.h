// app/startOptions.h
// The demo's command line: full screen by default, a window that fits the screen with --windowed, --help.
#pragma once

struct AppOptions;

// Reads every argument; returns the first one that is not an option of the demo, or nullptr when all are.
const char* parseStartOptions(int argc, const char* const* argv, AppOptions& options, bool& help);

extern const char startUsage[];
