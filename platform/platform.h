// platform/platform.h
// What differs between the desktops the demo runs on, behind a few calls; the build picks one implementation file.
#pragma once

#include <cstddef>
#include <string>

// The debugger output channel; text is NUL-terminated at length. One call per message keeps a message whole
// between threads.
void writeDebugChannel(const char* text, size_t length);

enum class BoxIcon { warning, error };
// Shows the desktop's own modal box with an OK button and returns once it is dismissed. False where the desktop
// offers none the demo can rely on; the caller then tells the viewer its own way.
bool showDesktopBox(const char* caption, const char* text, BoxIcon icon);

// A file descriptor for reading, or -1; opening a pipe under that name does not wait for a writer.
int openForReading(const char* path);
// The characters that end a folder's name in a path.
const char* folderSeparators();
// A file made by mkstemp is private; a finished output gets the permissions a new file usually has.
void giveUsualPermissions(int fd);
// Renames from to to, replacing a file already there, in one step; "" or why not.
std::string renameIntoPlace(const char* from, const char* to);

// Keeps the sound libraries' failed device probes, harmless on a machine without sound, off standard error,
// until the sound engine is shut down.
void silenceSoundProbes();
void releaseSoundProbes();
