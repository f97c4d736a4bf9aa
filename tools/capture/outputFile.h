// tools/capture/outputFile.h
// Files appear under their own name only when complete: they are written to a hidden temporary file beside
// it, which is renamed at the end, so a failed or interrupted run leaves nothing that looks finished.
#pragma once

#include <cstdint>
#include <string>

// Creates the temporary file for path; "" or why the folder cannot take it.
std::string createTemporaryBeside(const std::string& path, std::string& temporary);
// Renames the finished temporary to path; "" or why not (the temporary is removed then).
std::string commitTemporary(const std::string& temporary, const std::string& path);
// Writes the picture into the temporary and renames it to path; "" or why not (the temporary is removed then).
std::string commitPng(const std::string& temporary, const std::string& path, int width, int height,
                      const uint8_t* rgba);
