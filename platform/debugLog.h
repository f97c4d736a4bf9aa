// platform/debugLog.h
// The one text logger: printf-style, cut at 4095 characters, one write per message to standard error.
#pragma once

#include <string>

void debugLog(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Tests capture what debugLog writes instead of letting it reach standard error.
void debugLogCaptureBegin();
std::string debugLogCaptureEnd();
