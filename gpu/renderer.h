// gpu/renderer.h
// The full-screen raymarch draw of the lit volume.
#pragma once

#include "gpu/viewLayouts.h"

void drawRaymarch(const ViewsUBO& views);
// Clear to the gamma-corrected background, blend premultiplied, draw.
void drawFrameVolume(const ViewsUBO& views);
// The vertex array made at the first draw; shutdown deletes it.
void deleteRendererObjects();
