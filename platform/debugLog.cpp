// platform/debugLog.cpp
// Formats into a fixed buffer and hands the text to the output channel in one call.
#include "platform/debugLog.h"

#include <cstdarg>
#include <cstdio>

#include "platform/platform.h"

namespace {
bool capturing = false;
std::string captured;
}

void debugLog(const char* format, ...)
{
    char buffer[4096];
    va_list args;
    va_start(args, format);
    int length = vsnprintf(buffer, sizeof(buffer), format, args);
    va_end(args);
    if (length < 0)
        return;
    size_t stored = length < (int)sizeof(buffer) ? (size_t)length : sizeof(buffer) - 1;
    buffer[stored] = '\0';
    if (capturing)
        captured.append(buffer, stored);
    else
        writeDebugChannel(buffer, stored);
}

void debugLogCaptureBegin()
{
    capturing = true;
    captured.clear();
}

std::string debugLogCaptureEnd()
{
    capturing = false;
    std::string text;
    text.swap(captured);
    return text;
}
