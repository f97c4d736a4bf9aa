// tools/capture/videoPipe.h
// The video encoder: an ffmpeg child that reads raw RGBA frames from a pipe, muxes in the soundtrack and writes
// H.264 and AAC into a temporary file, renamed to the output name only once ffmpeg has finished well.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "platform/childProcess.h"

struct VideoJob {
    std::string path;
    int width = 0, height = 0, fps = 0;
    double audioStartSec = 0.0;  // the soundtrack's position at the first frame
    double durationSec = 0.0;    // frames / fps; the audio is cut or padded with silence to it
    std::string musicFile;       // empty: a silent audio track
};

struct VideoPipe {
    ChildProcess child;     // ffmpeg, reading frames on its standard input
    FILE* log = nullptr;    // ffmpeg's standard error, read back when it fails
    std::string temporary;  // where ffmpeg writes
    std::string path;
};

// "" or one line that says why the encoder could not start (nothing is left behind then).
std::string startVideo(const VideoJob& job, VideoPipe& video);
// False once ffmpeg has stopped reading; finishVideo then says why.
bool writeVideoFrame(VideoPipe& video, const uint8_t* rgba, size_t bytes);
// Ends the stream and waits for ffmpeg; "" once the video is under its name, otherwise why not.
std::string finishVideo(VideoPipe& video);
// Ends ffmpeg at once and removes its file.
void abandonVideo(VideoPipe& video);
