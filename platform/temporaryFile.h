// platform/temporaryFile.h
// Files appear under their own name only when complete: they are written to a hidden temporary file beside it,
// which is renamed into place at the end, so a failed or interrupted run leaves nothing that looks finished.
#pragma once

#include <string>

// Creates the temporary file for path; "" or why the folder cannot take it.
std::string createTemporaryBeside(const std::string& path, std::string& temporary);
// Renames the finished temporary to path, replacing what was there; "" or why not (the temporary is removed then).
std::string commitTemporary(const std::string& temporary, const std::string& path);
