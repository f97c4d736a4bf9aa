// platform/stopSignal.h
// Ctrl-C and termination during a long render: the first request ends the encoder and removes the unfinished
// files at once, and the render stops after its current frame; a second one ends the tool on the spot.
#pragma once

void installStopHandlers();
// The signal that asked to stop (SIGINT for Ctrl-C everywhere), or 0.
int stopRequested();
// What the handler cleans up straight away: the encoder child (-1: none) and up to two temporary files.
void guardEncoder(long processId);
void guardTemporary(int slot, const char* path);
