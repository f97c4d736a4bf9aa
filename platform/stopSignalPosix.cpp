// platform/stopSignalPosix.cpp
#include "platform/stopSignal.h"

#include <limits.h>
#include <signal.h>
#include <unistd.h>

#include <cstdio>

namespace {
constexpr int stopSignals[] = {SIGINT, SIGTERM, SIGHUP};
volatile sig_atomic_t stopSignal = 0;
volatile pid_t encoderPid = -1;
char temporaries[2][PATH_MAX] = {};

// Only async-signal-safe calls here: kill and unlink.
void onStopSignal(int signal)
{
    stopSignal = signal;
    if (encoderPid > 0)
        kill(encoderPid, SIGKILL);
    for (const char* path : temporaries)
        if (path[0])
            unlink(path);
}
}

void installStopHandlers()
{
    struct sigaction action = {};
    action.sa_handler = onStopSignal;
    action.sa_flags = SA_RESTART | SA_RESETHAND;
    sigemptyset(&action.sa_mask);
    for (int signal : stopSignals)
        sigaction(signal, &action, nullptr);
    // A failed encoder shows as a failed write, which is then explained by its exit status.
    signal(SIGPIPE, SIG_IGN);
}

int stopRequested()
{
    return stopSignal;
}

void guardEncoder(long processId)
{
    encoderPid = (pid_t)processId;
}

void guardTemporary(int slot, const char* path)
{
    // Held back while the path changes, so the handler never reads half of one.
    sigset_t stops, before;
    sigemptyset(&stops);
    for (int signal : stopSignals)
        sigaddset(&stops, signal);
    sigprocmask(SIG_BLOCK, &stops, &before);
    snprintf(temporaries[slot], sizeof(temporaries[slot]), "%s", path ? path : "");
    sigprocmask(SIG_SETMASK, &before, nullptr);
}
