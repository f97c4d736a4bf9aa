// platform/temporaryFilePosix.cpp
// mkstemp beside the output and rename(2), which replaces the old file in one step.
#include "platform/temporaryFile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

std::string createTemporaryBeside(const std::string& path, std::string& temporary)
{
    size_t slash = path.rfind('/');
    std::string folder = slash == std::string::npos ? "" : path.substr(0, slash + 1);
    std::string pattern = folder + "." + path.substr(folder.size()) + ".XXXXXX";
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    int fd = mkstemp(buffer.data());
    if (fd < 0)
        return "cannot write " + path + ": " + strerror(errno);
    // mkstemp makes the file private; the finished one gets the usual permissions.
    mode_t mask = umask(0);
    umask(mask);
    fchmod(fd, 0666 & ~mask);
    close(fd);
    temporary = buffer.data();
    return "";
}

std::string commitTemporary(const std::string& temporary, const std::string& path)
{
    if (rename(temporary.c_str(), path.c_str()) == 0)
        return "";
    std::string error = "cannot write " + path + ": " + strerror(errno);
    unlink(temporary.c_str());
    return error;
}
