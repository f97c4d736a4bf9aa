// tests/app/logLines.h
// Picks lines out of what the demo logged by how they begin.
#pragma once

#include <initializer_list>
#include <sstream>
#include <string>

// The lines that begin with one of the prefixes, or with none of them when keep is false.
inline std::string linesBeginning(const std::string& log, std::initializer_list<const char*> prefixes, bool keep = true)
{
    std::istringstream lines(log);
    std::string line, picked;
    while (std::getline(lines, line)) {
        bool begins = false;
        for (const char* prefix : prefixes)
            begins = begins || line.rfind(prefix, 0) == 0;
        if (begins == keep)
            picked += line + "\n";
    }
    return picked;
}
