// platform/platformPosix.cpp
// Linux: standard error stands in for the debugger channel; the demo draws its own boxes; POSIX files and folders.
#include "platform/platform.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>

namespace {
void* alsaLibrary = nullptr;
void* jackLibrary = nullptr;

typedef void (*AlsaErrorHandler)(const char* file, int line, const char* function, int err, const char* fmt, ...);
typedef int (*AlsaSetErrorHandler)(AlsaErrorHandler handler);

void ignoreAlsaError(const char*, int, const char*, int, const char*, ...)
{
}

// Without a sound card the engine falls back to the null device after ALSA has failed; ALSA reports each
// failed probe on standard error unless its error handler is replaced. The library is shared with
// miniaudio's own dlopen of it, so the handler holds for its probes too.
void silenceAlsaErrors()
{
    if (!alsaLibrary)
        alsaLibrary = dlopen("libasound.so.2", RTLD_NOW | RTLD_LOCAL);
    if (!alsaLibrary)
        return;
    AlsaSetErrorHandler setHandler = (AlsaSetErrorHandler)dlsym(alsaLibrary, "snd_lib_error_set_handler");
    if (setHandler)
        setHandler(ignoreAlsaError);
}

void ignoreJackMessage(const char*)
{
}

// Where the JACK client library is installed but no JACK server runs (installing ffmpeg pulls the library
// in), miniaudio's probe of it fails, which is fine, but the library prints why on standard error.
// It stays mapped: its load-time constructors allocate what unloading never frees, once per engine start.
void silenceJackMessages()
{
    if (!jackLibrary)
        jackLibrary = dlopen("libjack.so.0", RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
    if (!jackLibrary)
        return;
    typedef void (*JackMessageHandler)(const char*);
    typedef void (*JackSetMessageHandler)(JackMessageHandler handler);
    for (const char* setter : {"jack_set_error_function", "jack_set_info_function"})
        if (JackSetMessageHandler set = (JackSetMessageHandler)dlsym(jackLibrary, setter))
            set(ignoreJackMessage);
}
}

void writeDebugChannel(const char* text, size_t length)
{
    ssize_t written = write(STDERR_FILENO, text, length);
    (void)written;
}

bool showDesktopBox(const char*, const char*, BoxIcon)
{
    // A desktop dialog would open behind the full-screen window, where nobody sees it.
    return false;
}

int openForReading(const char* path)
{
    return open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
}

bool fileFacts(int fd, FileFacts& facts)
{
    struct stat info;
    if (fstat(fd, &info) != 0)
        return false;
    facts.regular = S_ISREG(info.st_mode);
    facts.sizeBytes = info.st_size;
    return true;
}

long long readFromFile(int fd, void* buffer, size_t count)
{
    for (;;) {
        ssize_t got = read(fd, buffer, count);
        if (got >= 0 || errno != EINTR)
            return got;
    }
}

long long seekInFile(int fd, long long offset, int origin)
{
    return lseek(fd, (off_t)offset, origin);
}

void closeFile(int fd)
{
    close(fd);
}

const char* folderSeparators()
{
    return "/";
}

std::string workingFolder()
{
    char* folder = getcwd(nullptr, 0);
    std::string name = folder ? folder : "";
    free(folder);
    return name;
}

std::string programFolder()
{
    std::string path(256, '\0');
    for (;;) {
        ssize_t length = readlink("/proc/self/exe", path.data(), path.size());
        if (length <= 0)
            return "";
        if ((size_t)length < path.size()) {
            path.resize((size_t)length);
            break;
        }
        path.resize(path.size() * 2);  // cut short: try again with room to spare
    }
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? "" : path.substr(0, slash > 0 ? slash : 1);
}

bool standardErrorIsTerminal()
{
    return isatty(STDERR_FILENO);
}

void giveUsualPermissions(int fd)
{
    mode_t mask = umask(0);
    umask(mask);
    fchmod(fd, 0666 & ~mask);
}

std::string renameIntoPlace(const char* from, const char* to)
{
    return rename(from, to) == 0 ? "" : strerror(errno);
}

void silenceSoundProbes()
{
    silenceAlsaErrors();
    silenceJackMessages();
}

void releaseSoundProbes()
{
    for (void** library : {&alsaLibrary, &jackLibrary}) {
        if (*library) {
            dlclose(*library);
            *library = nullptr;
        }
    }
}
