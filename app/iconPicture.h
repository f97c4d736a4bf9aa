// app/iconPicture.h
// The program's icon, drawn at any size: the window's on every desktop, the .ico of the Windows build and the
// pictures of the Debian package's menu entry.
#pragma once

#include <cstdint>
#include <vector>

// RGBA8 with straight alpha, size rows of size pixels, top row first.
std::vector<uint8_t> drawIconPicture(int size);
