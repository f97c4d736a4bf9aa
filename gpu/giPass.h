// gpu/giPass.h
// The GI gather pass, the copy into the GI texture, and the clear.
#pragma once

void giClear();
void runGiPass(int giSize, int volSize, unsigned frameId, float blend, int raysPerFrame);
void runGiCopy(int giSize);

struct GiFrame;
// The GPU side of a planned frame: clear on a reset, write the frame constants, gather and copy unless frozen.
void runGiFrame(const GiFrame& frame, int raysPerFrame);
// Plans and runs one frame, for callers that drive the GI on its own.
void giFrameControl(int raysPerFrame);
