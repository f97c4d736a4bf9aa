// app/contentFiles.cpp
#include "app/contentFiles.h"

#include <cstring>

#include "platform/platform.h"

ContentFile findContent(const char* name)
{
    return findContentIn(name, workingFolder(), programFolder());
}

ContentFile findContentIn(const char* name, const std::string& workingFolder, const std::string& programFolder)
{
    ContentFile file;
    // A path that names its folder is taken as it is.
    if (strpbrk(name, folderSeparators())) {
        if (fileOpens(name))
            file.path = name;
        else
            file.missing = std::string(name) + " not found";
        return file;
    }
    const std::string separator(1, folderSeparators()[0]);
    std::string inWorkingFolder = workingFolder.empty() ? name : workingFolder + separator + name;
    bool besideProgram = !programFolder.empty() && programFolder != workingFolder;
    std::string inProgramFolder = programFolder + separator + name;
    if (fileOpens(inWorkingFolder.c_str()))
        file.path = inWorkingFolder;
    else if (besideProgram && fileOpens(inProgramFolder.c_str()))
        file.path = inProgramFolder;
    else
        file.missing = std::string(name) + " not found in working directory \"" + workingFolder + "\"" +
                       (besideProgram ? " or in program folder \"" + programFolder + "\"" : "");
    return file;
}

bool fileOpens(const char* path)
{
    int fd = openForReading(path);
    if (fd < 0)
        return false;
    closeFile(fd);
    return true;
}
