// platform/platformWin32.cpp
// Windows: the debugger channel, MessageBoxW, the C runtime's binary-mode files opened by wide names, MoveFileExA.
#include "platform/platform.h"

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>

namespace {
// A console or a redirected standard error: started from the desktop, a windowed program has neither.
bool standardErrorAttached()
{
    HANDLE handle = GetStdHandle(STD_ERROR_HANDLE);
    return handle && handle != INVALID_HANDLE_VALUE && GetFileType(handle) != FILE_TYPE_UNKNOWN;
}

std::wstring wideText(const char* utf8)
{
    int length = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);
    if (length <= 0)
        return L"";
    std::wstring wide((size_t)length, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8, -1, wide.data(), length);
    wide.resize((size_t)length - 1);
    return wide;
}

std::string utf8Text(const wchar_t* wide)
{
    int length = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    if (length <= 0)
        return "";
    std::string text((size_t)length, '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide, -1, text.data(), length, nullptr, nullptr);
    text.resize((size_t)length - 1);
    return text;
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
    UINT style = MB_OK | MB_SETFOREGROUND;
    style |= icon == BoxIcon::information ? MB_ICONINFORMATION
             : icon == BoxIcon::warning   ? MB_ICONEXCLAMATION
                                          : MB_ICONERROR;
    MessageBoxW(nullptr, wideText(text).c_str(), wideText(caption).c_str(), style);
    return true;
}

int openForReading(const char* path)
{
    return _wopen(wideText(path).c_str(), _O_RDONLY | _O_BINARY);
}

bool fileFacts(int fd, FileFacts& facts)
{
    struct _stat64 info;
    if (_fstat64(fd, &info) != 0)
        return false;
    facts.regular = (info.st_mode & _S_IFMT) == _S_IFREG;
    facts.sizeBytes = info.st_size;
    return true;
}

long long readFromFile(int fd, void* buffer, size_t count)
{
    return _read(fd, buffer, (unsigned)std::min(count, (size_t)INT_MAX));
}

long long seekInFile(int fd, long long offset, int origin)
{
    return _lseeki64(fd, offset, origin);
}

void closeFile(int fd)
{
    _close(fd);
}

const char* folderSeparators()
{
    return "\\/";
}

std::string workingFolder()
{
    wchar_t* folder = _wgetcwd(nullptr, 0);
    std::string name = folder ? utf8Text(folder) : "";
    free(folder);
    return name;
}

std::string programFolder()
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD length = GetModuleFileNameW(nullptr, path.data(), (DWORD)path.size());
        if (length == 0)
            return "";
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);  // cut short: try again with room to spare
    }
    size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? "" : utf8Text(path.substr(0, slash).c_str());
}

bool standardErrorIsTerminal()
{
    return _isatty(_fileno(stderr));
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
