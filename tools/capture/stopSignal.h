// tools/capture/stopSignal.h
// Ctrl-C and termination during a long render: the first signal ends the encoder and removes the unfinished
// files at once, and the render stops after its current frame; a second one ends the tool on the spot.
#pragma once

#include <sys/types.h>

void installStopHandlers();
// The signal that asked to stop, or 0.
int stopRequested();
// What the handler cleans up straight away: the encoder child (-1: none) and up to two temporary files.
void guardEncoder(pid_t pid);
void guardTemporary(int slot, const char* path);
