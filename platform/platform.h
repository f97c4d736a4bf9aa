// platform/platform.h
// What differs between the desktops the demo runs on, behind a few calls; the build picks one implementation file.
// Paths and texts are UTF-8; Windows gets them as wide strings, so folders of any name work.
#pragma once

#include <cstddef>
#include <string>

// The debugger output channel; text is NUL-terminated at length. One call per message keeps a message whole
// between threads.
void writeDebugChannel(const char* text, size_t length);

enum class BoxIcon { information, warning, error };
// Shows the desktop's own modal box with an OK button and returns once it is dismissed. False where the desktop
// offers none the demo can rely on; the caller then tells the viewer its own way.
bool showDesktopBox(const char* caption, const char* text, BoxIcon icon);

// A file descriptor for reading, or -1; opening a pipe under that name does not wait for a writer.
int openForReading(const char* path);
struct FileFacts {
    bool regular = false;
    long long sizeBytes = 0;
};
// False when the descriptor cannot be examined.
bool fileFacts(int fd, FileFacts& facts);
// Bytes read, 0 at the end, -1 on an error; an interrupted read is tried again.
long long readFromFile(int fd, void* buffer, size_t count);
// The new offset from the start, or -1; origin is SEEK_SET, SEEK_CUR or SEEK_END.
long long seekInFile(int fd, long long offset, int origin);
void closeFile(int fd);
// The characters that end a folder's name in a path; the first is the one this platform writes.
const char* folderSeparators();
// Without a separator at the end; "" when it cannot be told.
std::string workingFolder();
std::string programFolder();
bool standardErrorIsTerminal();
// A file made by mkstemp is private; a finished output gets the permissions a new file usually has.
void giveUsualPermissions(int fd);
// Renames from to to, replacing a file already there, in one step; "" or why not.
std::string renameIntoPlace(const char* from, const char* to);

// Keeps the sound libraries' failed device probes, harmless on a machine without sound, off standard error,
// until the sound engine is shut down.
void silenceSoundProbes();
void releaseSoundProbes();
