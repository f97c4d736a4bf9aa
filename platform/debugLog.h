// platform/debugLog.h
// The one text logger: printf-style, cut at 4095 characters, one call of the debugger
// output channel per message (standard error on Linux).
#pragma once

#include <string>

void debugLog(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Tests capture what debugLog writes instead of letting it reach the channel.
void debugLogCaptureBegin();
std::string debugLogCaptureEnd();
