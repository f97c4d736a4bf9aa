// platform/platformWin32.cpp
// Windows: the debugger channel, MessageBoxA, the C runtime's binary-mode open and MoveFileExA.
#include "platform/platform.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>

namespace {
// A console or a redirected standard error: started from the desktop, a windowed program has neither.
bool standardErrorAttached()
{
    HANDLE handle = GetStdHandle(STD_ERROR_HANDLE);
    return handle && handle != INVALID_HANDLE_VALUE && GetFileType(handle) != FILE_TYPE_UNKNOWN;
}
}

void writeDebugChannel(const char* text, size_t length)
{
    // The text is already cut to fit and NUL-terminated by the caller.
    OutputDebugStringA(text);
    if (standardErrorAttached()) {
        DWORD written = 0;
        WriteFile(GetStdHandle(STD_ERROR_HANDLE), text, (DWORD)length, &written, nullptr);
    }
}

bool showDesktopBox(const char* caption, const char* text, BoxIcon icon)
{
    UINT style = MB_OK | MB_SETFOREGROUND | (icon == BoxIcon::warning ? MB_ICONEXCLAMATION : MB_ICONERROR);
    MessageBoxA(nullptr, text, caption, style);
    return true;
}

int openForReading(const char* path)
{
    return _open(path, _O_RDONLY | _O_BINARY);
}

const char* folderSeparators()
{
    return "/\\";
}

void giveUsualPermissions(int)
{
    // Windows files inherit their folder's access list; mkstemp's own permissions do not narrow it.
}

// The C runtime's rename refuses to replace an existing file.
std::string renameIntoPlace(const char* from, const char* to)
{
    if (MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING))
        return "";
    return "Windows error " + std::to_string(GetLastError());
}

// WASAPI and its fallbacks report nothing on standard error: there is nothing to silence.
void silenceSoundProbes()
{
}

void releaseSoundProbes()
{
}
