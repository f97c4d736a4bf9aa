// tools/common/argParsing.cpp
#include "tools/common/argParsing.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>

bool parseIntArg(const char* text, long low, long high, int& value)
{
    char* end = nullptr;
    errno = 0;
    long parsed = strtol(text, &end, 10);
    if (errno || end == text || *end || parsed < low || parsed > high)
        return false;
    value = (int)parsed;
    return true;
}

bool parseSizeArg(const char* text, int& width, int& height)
{
    const char* x = strchr(text, 'x');
    if (!x)
        return false;
    std::string w(text, x - text);
    return parseIntArg(w.c_str(), 1, 16384, width) && parseIntArg(x + 1, 1, 16384, height);
}
