// platform/stopSignalWin32.cpp
// The console's Ctrl-C, Ctrl-Break and close events, handled on the thread Windows starts for them.
#include "platform/stopSignal.h"

#include <windows.h>

#include <csignal>
#include <cstdio>

namespace {
volatile LONG stopSignal = 0;
char temporaries[2][MAX_PATH] = {};
// The handler runs beside the render thread, so the paths change under this lock only.
CRITICAL_SECTION temporariesLock;

BOOL WINAPI onConsoleEvent(DWORD)
{
    // A second request falls through to the default handler, which ends the process.
    if (InterlockedExchange(&stopSignal, SIGINT) != 0)
        return FALSE;
    EnterCriticalSection(&temporariesLock);
    for (const char* path : temporaries)
        if (path[0])
            DeleteFileA(path);
    LeaveCriticalSection(&temporariesLock);
    return TRUE;
}
}

void installStopHandlers()
{
    InitializeCriticalSection(&temporariesLock);
    SetConsoleCtrlHandler(onConsoleEvent, TRUE);
}

int stopRequested()
{
    return (int)stopSignal;
}

void guardEncoder(long)
{
    // This build starts no encoder (startChildProcess refuses), so there is none to end.
}

void guardTemporary(int slot, const char* path)
{
    EnterCriticalSection(&temporariesLock);
    snprintf(temporaries[slot], sizeof(temporaries[slot]), "%s", path ? path : "");
    LeaveCriticalSection(&temporariesLock);
}
