// gpu/renderer.h
// The full-screen raymarch draw of the lit volume.
#pragma once

struct DrawPlan;
struct Gpu;

// The raymarch alone, over whatever the target holds.
void drawRaymarch(Gpu& gpu, const DrawPlan& plan);
// Clear to the gamma-corrected background, blend premultiplied, draw; the Constants block is already written.
void drawFrameVolume(Gpu& gpu, const DrawPlan& plan);
// The vertex array made at the first draw; shutdown deletes it.
void deleteRendererObjects(Gpu& gpu);
