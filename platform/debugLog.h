// platform/debugLog.h
// The one text logger: printf-style, cut at 4095 characters, one call of the debugger
// output channel per message (standard error on Linux).
#pragma once

#include <string>

// Compilers that know printf formats check every call's arguments against its format.
#if defined(__GNUC__)
#define PRINTF_LIKE(formatIndex, firstArgument) __attribute__((format(printf, formatIndex, firstArgument)))
#else
#define PRINTF_LIKE(formatIndex, firstArgument)
#endif

void debugLog(const char* format, ...) PRINTF_LIKE(1, 2);

// Tests capture what debugLog writes instead of letting it reach the channel.
void debugLogCaptureBegin();
std::string debugLogCaptureEnd();
