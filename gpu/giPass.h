// gpu/giPass.h
// The GI gather pass, the copy into the GI texture, and the clear.
#pragma once

void giClear();
void runGiPass(int giSize, int volSize, unsigned frameId, float blend, int raysPerFrame);
void runGiCopy(int giSize);

// The per-frame GI control: serve a reset, write the frame constants, gather and copy unless frozen.
void giFrameControl(int raysPerFrame);
