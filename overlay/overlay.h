// overlay/overlay.h
// The per-frame user-interface pass: the planned captions drawn as fading text, inside a frame app/ has begun.
#pragma once

struct CaptionPlan;

void drawCaptions(const CaptionPlan& plan);
