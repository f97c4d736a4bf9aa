// platform/temporaryFileWin32.cpp
// mkstemp beside the output and MoveFileExA, since the C runtime's rename refuses to replace a file.
#include "platform/temporaryFile.h"

#include <io.h>
#include <windows.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

std::string createTemporaryBeside(const std::string& path, std::string& temporary)
{
    size_t slash = path.find_last_of("/\\");
    std::string folder = slash == std::string::npos ? "" : path.substr(0, slash + 1);
    std::string pattern = folder + "." + path.substr(folder.size()) + ".XXXXXX";
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    int fd = mkstemp(buffer.data());
    if (fd < 0)
        return "cannot write " + path + ": " + strerror(errno);
    _close(fd);
    temporary = buffer.data();
    return "";
}

std::string commitTemporary(const std::string& temporary, const std::string& path)
{
    if (MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING))
        return "";
    std::string error = "cannot write " + path + " (Windows error " + std::to_string(GetLastError()) + ")";
    DeleteFileA(temporary.c_str());
    return error;
}
