// audio/music.h
// Streamed playback of the soundtrack; a missing or unusable file leaves the demo silent.
#pragma once

void musicInitEngine();
void musicLoadAndStart(const char* fileName);
// Playback position in seconds, 0 without music or when it cannot be read.
float musicCursor();
void musicShutdown();
