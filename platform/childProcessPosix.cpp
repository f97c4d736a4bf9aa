// platform/childProcessPosix.cpp
// posix_spawnp with a pipe on standard input; the child gets default signal handling back.
#include "platform/childProcess.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

extern char** environ;

bool childProcessesRun()
{
    return true;
}

std::string startChildProcess(const std::vector<std::string>& args, FILE* errorLog, ChildProcess& child)
{
    int channel[2];
    if (pipe2(channel, O_CLOEXEC) != 0)
        return "cannot start " + args[0] + " (" + strerror(errno) + ")";
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_adddup2(&files, channel[0], STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&files, fileno(errorLog), STDERR_FILENO);
    // Its own process group keeps Ctrl-C from reaching the child, which would finish its file as if complete.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t defaults, none;
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGPIPE);
    sigemptyset(&none);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setpgroup(&attributes, 0);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK);

    std::vector<std::string> copies = args;
    std::vector<char*> argv;
    for (std::string& arg : copies)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    pid_t pid = -1;
    int spawned = posix_spawnp(&pid, argv[0], &files, &attributes, argv.data(), environ);
    posix_spawn_file_actions_destroy(&files);
    posix_spawnattr_destroy(&attributes);
    close(channel[0]);
    if (spawned != 0) {
        close(channel[1]);
        return spawned == ENOENT ? args[0] + " is not installed (apt-get install " + args[0] + ")"
                                 : "cannot start " + args[0] + " (" + strerror(spawned) + ")";
    }
    child.id = pid;
    child.input = channel[1];
    return "";
}

bool writeToChild(ChildProcess& child, const uint8_t* bytes, size_t count)
{
    while (count > 0) {
        ssize_t written = write(child.input, bytes, count);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        bytes += written;
        count -= (size_t)written;
    }
    return true;
}

namespace {
int reap(ChildProcess& child)
{
    if (child.input >= 0)
        close(child.input);
    child.input = -1;
    int status = 0;
    while (waitpid((pid_t)child.id, &status, 0) < 0 && errno == EINTR) {
    }
    child.id = -1;
    return status;
}
}

std::string waitForChild(ChildProcess& child)
{
    int status = reap(child);
    if (WIFSIGNALED(status))
        return "was ended by signal " + std::to_string(WTERMSIG(status));
    if (WEXITSTATUS(status) != 0)
        return "failed with status " + std::to_string(WEXITSTATUS(status));
    return "";
}

void killChild(ChildProcess& child)
{
    if (child.id > 0) {
        kill((pid_t)child.id, SIGKILL);
        reap(child);
    }
}
