// tests/platform/temporaryFileTests.h
// Scratch folders and whole files for the platform tests.
#pragma once

#include <string>

#include "platform/temporaryFile.h"

// A new empty folder under the system's temporary folder, or "" when it cannot be made.
std::string freshFolder();
std::string readFile(const std::string& path);
void writeFile(const std::string& path, const std::string& bytes);
