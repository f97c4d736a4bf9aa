// audio/music.cpp
// The soundtrack streamed through miniaudio's engine; any unusable file or device leaves the demo silent.
#include "audio/music.h"

#include "platform/debugLog.h"

#include <miniaudio.h>

#include <cstdio>
#include <initializer_list>
#include <dlfcn.h>
#include <sys/stat.h>

namespace {
ma_engine engine;
bool engineReady = false;
ma_sound sound;
bool soundReady = false;
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

// A folder, a pipe or a device under the music's name is not a file the decoder can stream (a pipe
// would even block the open), so only a regular file that opens for reading counts as found.
bool musicFileReadable(const char* fileName, struct stat& info)
{
    if (stat(fileName, &info) != 0 || !S_ISREG(info.st_mode))
        return false;
    FILE* file = fopen(fileName, "rb");
    if (!file)
        return false;
    fclose(file);
    return true;
}

// The MP3 decoder scans a file for its first frame, so a huge file that holds none would stall start-up
// for as long as it takes to read it; no soundtrack comes near this size.
constexpr off_t musicMaxBytes = (off_t)256 << 20;

// A streamed load that fails signals the waiting caller before it last writes to the stream, which the
// failing ma_sound_init_from_file has freed by then; so a file is only streamed once it is known to decode.
bool musicDecodes(const char* fileName)
{
    ma_decoder decoder;
    if (ma_decoder_init_file(fileName, nullptr, &decoder) != MA_SUCCESS)
        return false;
    ma_decoder_uninit(&decoder);
    return true;
}
}

void musicInitEngine()
{
    silenceAlsaErrors();
    silenceJackMessages();
    ma_engine_config config = ma_engine_config_init();
    config.channels = 2;
    config.sampleRate = 44100;
    engineReady = ma_engine_init(&config, &engine) == MA_SUCCESS;
}

void musicLoadAndStart(const char* fileName)
{
    struct stat info;
    if (!musicFileReadable(fileName, info)) {
        debugLog("mp3 not found.\n");
        return;
    }
    if (info.st_size > musicMaxBytes) {
        debugLog("%s is larger than %d MiB, too large for a soundtrack; the demo runs silently\n", fileName,
                 (int)(musicMaxBytes >> 20));
        return;
    }
    if (!engineReady || soundReady)
        return;
    // Empty, cut or foreign files fail here and the demo stays silent.
    if (!musicDecodes(fileName) ||
        ma_sound_init_from_file(&engine, fileName, MA_SOUND_FLAG_STREAM, nullptr, nullptr, &sound) != MA_SUCCESS)
        return;
    soundReady = true;
    ma_sound_set_volume(&sound, 1.0f);
    ma_sound_set_looping(&sound, MA_FALSE);
    ma_sound_start(&sound);
}

float musicCursor()
{
    if (!soundReady)
        return 0.0f;
    float cursorSec = 0.0f;
    if (ma_sound_get_cursor_in_seconds(&sound, &cursorSec) != MA_SUCCESS)
        return 0.0f;
    return cursorSec;
}

void musicShutdown()
{
    if (soundReady) {
        ma_sound_uninit(&sound);
        soundReady = false;
    }
    if (engineReady) {
        ma_engine_uninit(&engine);
        engineReady = false;
    }
    for (void** library : {&alsaLibrary, &jackLibrary}) {
        if (*library) {
            dlclose(*library);
            *library = nullptr;
        }
    }
}
