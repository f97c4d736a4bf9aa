// platform/childProcessWin32.cpp
// The Windows build starts no helper programs: the capture tool's video needs Linux, its pictures do not.
#include "platform/childProcess.h"

bool childProcessesRun()
{
    return false;
}

std::string startChildProcess(const std::vector<std::string>& args, FILE*, ChildProcess&)
{
    return "this Windows build cannot start " + args[0] + "; --video needs the Linux build, --sheet and single "
           "pictures work here";
}

bool writeToChild(ChildProcess&, const uint8_t*, size_t)
{
    return false;
}

std::string waitForChild(ChildProcess&)
{
    return "no child process runs in this build";
}

void killChild(ChildProcess& child)
{
    child.id = -1;
}
