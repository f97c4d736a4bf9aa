// audio/music.cpp
// The soundtrack streamed through miniaudio's engine; any unusable file or device leaves the demo silent.
#include "audio/music.h"

#include "platform/debugLog.h"
#include "platform/platform.h"

#include <miniaudio.h>

#include <cstdio>
#include <sys/stat.h>

namespace {
ma_engine engine;
bool engineReady = false;
ma_sound sound;
bool soundReady = false;

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
    silenceSoundProbes();
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
    releaseSoundProbes();
}
