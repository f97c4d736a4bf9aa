// tools/capture/videoPipe.cpp
#include "tools/capture/videoPipe.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "tools/capture/outputFile.h"
#include "tools/capture/stopSignal.h"

extern char** environ;

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
    if (video.input >= 0)
        close(video.input);
    if (video.log)
        fclose(video.log);
    video.input = -1;
    video.log = nullptr;
    video.pid = -1;
}
}

std::string startVideo(const VideoJob& job, VideoPipe& video)
{
    video.path = job.path;
    std::string error = createTemporaryBeside(job.path, video.temporary);
    if (!error.empty())
        return error;
    guardTemporary(0, video.temporary.c_str());
    int channel[2];
    video.log = tmpfile();
    if (!video.log || pipe2(channel, O_CLOEXEC) != 0) {
        error = std::string("cannot start ffmpeg (") + strerror(errno) + ")";
        unlink(video.temporary.c_str());
        release(video);
        return error;
    }

    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_adddup2(&files, channel[0], STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&files, fileno(video.log), STDERR_FILENO);
    // Its own process group keeps Ctrl-C from reaching ffmpeg, which would finish the file as if complete.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t defaults, none;
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGPIPE);
    sigemptyset(&none);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setpgroup(&attributes, 0);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK);

    std::vector<std::string> args = ffmpegArguments(job, video.temporary);
    std::vector<char*> argv;
    for (std::string& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    int spawned = posix_spawnp(&video.pid, "ffmpeg", &files, &attributes, argv.data(), environ);
    posix_spawn_file_actions_destroy(&files);
    posix_spawnattr_destroy(&attributes);
    close(channel[0]);
    video.input = channel[1];
    if (spawned != 0) {
        error = spawned == ENOENT ? "ffmpeg is not installed (apt-get install ffmpeg)"
                                  : std::string("cannot start ffmpeg (") + strerror(spawned) + ")";
        unlink(video.temporary.c_str());
        release(video);
        return error;
    }
    guardEncoder(video.pid);
    return "";
}

bool writeVideoFrame(VideoPipe& video, const uint8_t* rgba, size_t bytes)
{
    while (bytes > 0) {
        ssize_t written = write(video.input, rgba, bytes);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        rgba += written;
        bytes -= (size_t)written;
    }
    return true;
}

std::string finishVideo(VideoPipe& video)
{
    close(video.input);
    video.input = -1;
    int status = 0;
    while (waitpid(video.pid, &status, 0) < 0 && errno == EINTR) {
    }
    std::string error;
    if (WIFSIGNALED(status))
        error = "ffmpeg was ended by signal " + std::to_string(WTERMSIG(status));
    else if (WEXITSTATUS(status) != 0)
        error = "ffmpeg failed with status " + std::to_string(WEXITSTATUS(status)) + ": " + lastLogLine(video.log);
    std::string temporary = video.temporary;
    release(video);
    if (!error.empty()) {
        unlink(temporary.c_str());
        return error;
    }
    return commitTemporary(temporary, video.path);
}

void abandonVideo(VideoPipe& video)
{
    if (video.pid > 0) {
        kill(video.pid, SIGKILL);
        while (waitpid(video.pid, nullptr, 0) < 0 && errno == EINTR) {
        }
    }
    unlink(video.temporary.c_str());
    release(video);
}
