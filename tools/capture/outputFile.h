// tools/capture/outputFile.h
// Pictures go through a temporary file beside their name, renamed into place once complete.
#pragma once

#include <cstdint>
#include <string>

#include "platform/temporaryFile.h"

// Writes the picture into the temporary and renames it to path; "" or why not (the temporary is removed then).
std::string commitPng(const std::string& temporary, const std::string& path, int width, int height,
                      const uint8_t* rgba);
