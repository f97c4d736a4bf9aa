// platform/temporaryFile.cpp
// mkstemp beside the output, then one rename that replaces the old file.
#include "platform/temporaryFile.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/platform.h"

std::string createTemporaryBeside(const std::string& path, std::string& temporary)
{
    size_t slash = path.find_last_of(folderSeparators());
    std::string folder = slash == std::string::npos ? "" : path.substr(0, slash + 1);
    std::string pattern = folder + "." + path.substr(folder.size()) + ".XXXXXX";
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    int fd = mkstemp(buffer.data());
    if (fd < 0)
        return "cannot write " + path + ": " + strerror(errno);
    giveUsualPermissions(fd);
    close(fd);
    temporary = buffer.data();
    return "";
}

std::string commitTemporary(const std::string& temporary, const std::string& path)
{
    std::string why = renameIntoPlace(temporary.c_str(), path.c_str());
    if (why.empty())
        return "";
    remove(temporary.c_str());
    return "cannot write " + path + ": " + why;
}
