// app/contentFiles.h
// Where the show's font and music lie: a bare name is looked for in the working directory, then beside the program,
// so a shortcut or a launcher that starts the demo in another folder still finds them.
#pragma once

#include <string>

struct ContentFile {
    std::string path;     // "" when it was found in neither folder
    std::string missing;  // then: one line that names the file and every folder it was looked for in
};

ContentFile findContent(const char* name);
ContentFile findContentIn(const char* name, const std::string& workingFolder, const std::string& programFolder);
// True when the path opens for reading; a pipe under that name counts without waiting for a writer.
bool fileOpens(const char* path);
