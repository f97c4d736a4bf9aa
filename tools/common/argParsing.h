// tools/common/argParsing.h
// Strict number and size parsing for the tools' command lines: the whole text must be the value.
#pragma once

bool parseIntArg(const char* text, long low, long high, int& value);
// "WIDTHxHEIGHT", each 1 to 16384.
bool parseSizeArg(const char* text, int& width, int& height);
