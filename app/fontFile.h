// app/fontFile.h
// Reads the caption font and checks that it can be used before it goes to the font atlas,
// which would assert on a file that is empty, a folder or not a font.
#pragma once

#include <vector>

// True with the file's bytes in data when the file is a readable TrueType/OpenType font of a sensible size.
bool loadUsableFont(const char* path, std::vector<unsigned char>& data);
