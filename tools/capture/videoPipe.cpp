// tools/capture/videoPipe.cpp
#include "tools/capture/videoPipe.h"

#include <cerrno>
#include <cstring>
#include <vector>

#include "platform/stopSignal.h"
#include "tools/capture/outputFile.h"

namespace {
std::string number(double value)
{
    char text[32];
    snprintf(text, sizeof(text), "%.6f", value);
    return text;
}

std::vector<std::string> ffmpegArguments(const VideoJob& job, const std::string& output)
{
    std::vector<std::string> args = {"ffmpeg", "-hide_banner", "-nostats", "-loglevel", "error", "-y",
                                     "-f", "rawvideo", "-pix_fmt", "rgba",
                                     "-video_size", std::to_string(job.width) + "x" + std::to_string(job.height),
                                     "-framerate", std::to_string(job.fps), "-i", "pipe:0"};
    if (job.musicFile.empty())
        args.insert(args.end(), {"-f", "lavfi", "-i", "anullsrc=channel_layout=stereo:sample_rate=44100"});
    else
        args.insert(args.end(), {"-ss", number(job.audioStartSec), "-i", job.musicFile, "-af", "apad"});
    args.insert(args.end(), {"-map", "0:v:0", "-map", "1:a:0", "-c:v", "libx264", "-crf", "18", "-pix_fmt",
                             "yuv420p", "-c:a", "aac", "-b:a", "192k", "-t", number(job.durationSec),
                             "-movflags", "+faststart", "-f", "mp4", output});
    return args;
}

// The last line ffmpeg wrote to its standard error, for the one message about its failure.
std::string lastLogLine(FILE* log)
{
    std::string text;
    rewind(log);
    for (int c = fgetc(log); c != EOF; c = fgetc(log))
        text += (char)c;
    while (!text.empty() && text.back() == '\n')
        text.pop_back();
    return text.substr(text.rfind('\n') + 1);
}

void release(VideoPipe& video)
{
    guardEncoder(-1);
    guardTemporary(0, nullptr);
    if (video.log)
        fclose(video.log);
    video.log = nullptr;
}
}

std::string startVideo(const VideoJob& job, VideoPipe& video)
{
    video.path = job.path;
    std::string error = createTemporaryBeside(job.path, video.temporary);
    if (!error.empty())
        return error;
    guardTemporary(0, video.temporary.c_str());
    video.log = tmpfile();
    error = video.log ? startChildProcess(ffmpegArguments(job, video.temporary), video.log, video.child)
                      : std::string("cannot start ffmpeg (") + strerror(errno) + ")";
    if (!error.empty()) {
        remove(video.temporary.c_str());
        release(video);
        return error;
    }
    guardEncoder(video.child.id);
    return "";
}

bool writeVideoFrame(VideoPipe& video, const uint8_t* rgba, size_t bytes)
{
    return writeToChild(video.child, rgba, bytes);
}

std::string finishVideo(VideoPipe& video)
{
    std::string error = waitForChild(video.child);
    if (!error.empty()) {
        std::string said = lastLogLine(video.log);
        error = "ffmpeg " + error + (said.empty() ? "" : ": " + said);
    }
    std::string temporary = video.temporary;
    release(video);
    if (!error.empty()) {
        remove(temporary.c_str());
        return error;
    }
    return commitTemporary(temporary, video.path);
}

void abandonVideo(VideoPipe& video)
{
    killChild(video.child);
    remove(video.temporary.c_str());
    release(video);
}
