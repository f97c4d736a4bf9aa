// audio/music.cpp
// The soundtrack decoded by miniaudio from a file the platform layer opened; any unusable file or device leaves the
// demo silent.
#include "audio/music.h"

#include "platform/debugLog.h"
#include "platform/platform.h"

#include <miniaudio.h>

#include <cstdio>

namespace {
ma_engine engine;
bool engineReady = false;
ma_decoder decoder;
bool decoderReady = false;
ma_sound sound;
bool soundReady = false;
int musicFile = -1;

// The MP3 decoder scans a file for its first frame, so a huge file that holds none would stall start-up
// for as long as it takes to read it; no soundtrack comes near this size.
constexpr long long musicMaxBytes = 256ll << 20;

ma_result readMusic(ma_decoder*, void* buffer, size_t count, size_t* done)
{
    *done = 0;
    while (*done < count) {
        long long got = readFromFile(musicFile, (char*)buffer + *done, count - *done);
        if (got < 0)
            return MA_IO_ERROR;
        if (got == 0)
            return *done > 0 ? MA_SUCCESS : MA_AT_END;
        *done += (size_t)got;
    }
    return MA_SUCCESS;
}

ma_result seekMusic(ma_decoder*, ma_int64 offset, ma_seek_origin origin)
{
    int whence = origin == ma_seek_origin_start ? SEEK_SET : origin == ma_seek_origin_current ? SEEK_CUR : SEEK_END;
    return seekInFile(musicFile, offset, whence) < 0 ? MA_IO_ERROR : MA_SUCCESS;
}

void closeMusic()
{
    if (soundReady) {
        ma_sound_uninit(&sound);
        soundReady = false;
    }
    if (decoderReady) {
        ma_decoder_uninit(&decoder);
        decoderReady = false;
    }
    if (musicFile >= 0) {
        closeFile(musicFile);
        musicFile = -1;
    }
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
    if (musicFile >= 0)
        return;
    musicFile = openForReading(fileName);
    // A folder, a pipe or a device under the music's name is not a file the decoder can seek in (a pipe would even
    // block the read), so only a regular file that opens for reading counts as found.
    FileFacts facts;
    if (musicFile < 0 || !fileFacts(musicFile, facts) || !facts.regular) {
        closeMusic();
        debugLog("mp3 not found.\n");
        return;
    }
    if (facts.sizeBytes > musicMaxBytes) {
        closeMusic();
        debugLog("%s is larger than %d MiB, too large for a soundtrack; the demo runs silently\n", fileName,
                 (int)(musicMaxBytes >> 20));
        return;
    }
    // Empty, cut or foreign files fail here and the demo stays silent.
    ma_decoder_config config = ma_decoder_config_init_default();
    decoderReady = engineReady && ma_decoder_init(readMusic, seekMusic, nullptr, &config, &decoder) == MA_SUCCESS;
    soundReady = decoderReady && ma_sound_init_from_data_source(&engine, &decoder, 0, nullptr, &sound) == MA_SUCCESS;
    if (!soundReady) {
        closeMusic();
        return;
    }
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
    closeMusic();
    if (engineReady) {
        ma_engine_uninit(&engine);
        engineReady = false;
    }
    releaseSoundProbes();
}
