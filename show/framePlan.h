// show/framePlan.h
// One frame's GPU work as plain data: what the show asks of a GPU back end, which draws it without reading the
// show's state.
#pragma once

#include "gpu/constants.h"
#include "gpu/passPlans.h"
#include "overlay/captionPlan.h"

struct FramePlan {
    int volSize = 0;             // the volume's edge in voxels this frame
    FillPlan fill;               // taken before the scene's update, as the fill runs first
    ConstantsBlock constants{};  // the walls and light switches for the GI pass and the raymarch
    GiPlan gi;
    DrawPlan draw;
    CaptionPlan captions;
    bool showOver = false;  // the frame on which the show ends; the window closes after it
};
