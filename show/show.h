// show/show.h
// One run of the show: its state, its own scene objects and the frame step that turns them into frame plans.
// Making a new Show is how a run starts over; two shows in one process never share anything.
#pragma once

#include <memory>
#include <vector>

#include "sequencer/sceneBase.h"
#include "sequencer/showState.h"
#include "show/frameInput.h"
#include "show/framePlan.h"


struct ShowConfig {
    int startScene = -1;        // scene-table index entered first; -1: the playlist's first entry
    int volumeOverride = 0;     // above 0: this volSize replaces every scene's, for previews and fast tests
    int fixedRaysPerFrame = 0;  // above 0: the GI casts exactly this many rays, whatever scenes say, and the ray
                                // budget rests, so nothing depends on how fast the machine is
    float fontSize = 13.0f;     // the caption font's size in pixels
};

struct Show {
    Show() = default;
    // Scenes hold a reference to the state: a show stays where it was made.
    Show(const Show&) = delete;
    Show& operator=(const Show&) = delete;

    ShowConfig config;
    ShowState state;
    std::vector<std::unique_ptr<cSceneBase>> scenes;  // one per registry row, in registry order
    int volSize = 0;  // the last frame's volume size; a change starts the light over
};

std::unique_ptr<Show> makeShow(const ShowConfig& config);

// The CPU half of a frame, in the frame's order: beat, scene switch, the fill's request, the script, the GI
// bookkeeping, the views, the ray budget, the captions, the pulses' decay. It issues no GL.
FramePlan stepShow(Show& show, const FrameInput& input);

// Frames of a whole new show on the fixed step, up to and including the one on which it ends; -1 when it does
// not end within limitFrames.
long countShowFrames(const ShowConfig& config, int fps, long limitFrames);
