// platform/childProcess.h
// A helper program started from PATH that reads what we write to its standard input, as the capture tool's
// video encoder does.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

struct ChildProcess {
    long id = -1;    // -1: none running
    int input = -1;  // its standard input
};

// False where this build starts no helper programs.
bool childProcessesRun();
// Starts args[0] from PATH in a process group of its own, so Ctrl-C reaches only us, with its standard error going
// to errorLog. "" or one line that says why it did not start.
std::string startChildProcess(const std::vector<std::string>& args, FILE* errorLog, ChildProcess& child);
// False once the child has stopped reading.
bool writeToChild(ChildProcess& child, const uint8_t* bytes, size_t count);
// Ends its input and waits for it: "" when it exited with status 0, otherwise how it ended.
std::string waitForChild(ChildProcess& child);
// Ends it at once and waits for it.
void killChild(ChildProcess& child);
