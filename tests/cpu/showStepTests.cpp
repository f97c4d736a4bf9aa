// tests/cpu/showStepTests.cpp
// The CPU half of the frame: two shows in one process plan alike, and the two clocks a driver feeds stay apart.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "show/show.h"

namespace {
constexpr int fps = 30;

// Everything a plan asks of the GPU and the overlay, as bytes and text: two equal plans give equal lines.
std::string planLine(const FramePlan& plan)
{
    std::string line;
    auto bytes = [&line](const auto& value) { line.append((const char*)&value, sizeof(value)); };
    bytes(plan.volSize);
    bytes(plan.fill.run);
    bytes(plan.fill.program);
    bytes(plan.fill.request.timeSec);
    for (const FillUniform& uniform : plan.fill.request.uniforms) {
        line += uniform.name;
        bytes(uniform.intValue);
        bytes(uniform.floatValue);
    }
    bytes(plan.fill.constants);
    bytes(plan.constants);
    // Field by field: the padding between a struct's fields holds no value to compare.
    const GiPlan& gi = plan.gi;
    for (bool flag : {gi.clear, gi.run, gi.multibounce, gi.opaquePassthrough})
        bytes(flag);
    for (float value : {gi.blend, gi.falloff})
        bytes(value);
    for (int value : {(int)gi.frameId, gi.raysPerFrame, gi.samplingMode})
        bytes(value);
    const DrawPlan& draw = plan.draw;
    bytes(draw.views);
    bytes(draw.clearColour);
    bytes(draw.bgColor);
    for (float value : {draw.refractionIOR, draw.haloIntensity})
        bytes(value);
    bytes(draw.haloEnabled);
    for (const PlacedCaption& caption : plan.captions.captions)
        line += caption.text + caption.windowName + std::to_string(caption.y) + std::to_string(caption.alpha);
    bytes(plan.showOver);
    return line;
}

FrameInput inputAt(long frame)
{
    FrameInput input = fixedStepInput(frame, fps);
    input.targetWidth = 320;
    input.targetHeight = 180;
    return input;
}
}

TEST(ShowStep, TwoShowsInOneProcessPlanEveryFrameAlikeWhetherOneFollowsTheOtherOrBothRunAtOnce)
{
    std::vector<std::string> first;
    {
        std::unique_ptr<Show> show = makeShow(ShowConfig());
        for (long frame = 0; first.empty() || frame < 300 * fps; ++frame) {
            FramePlan plan = stepShow(*show, inputAt(frame));
            first.push_back(planLine(plan));
            if (plan.showOver)
                break;
        }
    }
    ASSERT_EQ((long)first.size(), countShowFrames(ShowConfig(), fps, 300 * fps));
    ASSERT_GT(first.size(), 200u * fps);

    // Stepped in turns, two shows would drift apart at once if they shared any state.
    std::unique_ptr<Show> second = makeShow(ShowConfig());
    std::unique_ptr<Show> third = makeShow(ShowConfig());
    for (long frame = 0; frame < (long)first.size(); ++frame) {
        ASSERT_EQ(planLine(stepShow(*second, inputAt(frame))), first[frame]) << "the second show parts at " << frame;
        ASSERT_EQ(planLine(stepShow(*third, inputAt(frame))), first[frame]) << "the third show parts at " << frame;
    }
}

TEST(ShowStep, BeatsFollowTheMusicAndScriptsFollowTheShowClock)
{
    // The music starts a quarter second late: its beats fall a quarter second later in show time.
    constexpr double lagSec = 0.25, beatSec = 60.0 / 128.0;
    std::unique_ptr<Show> show = makeShow(ShowConfig());
    std::vector<long> beatFrames, expectedBeats;
    for (long frame = 0; frame < 4 * fps; ++frame) {
        FrameInput input = inputAt(frame);
        input.musicTimeSec = std::max(0.0, input.showTimeSec - lagSec);
        double previousMusic = std::max(0.0, input.showTimeSec - 1.0 / fps - lagSec);
        if (std::floor(input.musicTimeSec / beatSec) > std::floor(previousMusic / beatSec))
            expectedBeats.push_back(frame);
        stepShow(*show, input);
        if (show->state.beat.beatFlag)
            beatFrames.push_back(frame);
    }
    EXPECT_EQ(beatFrames, expectedBeats);
    // The intro's first caption is due one second into the scene, by the show's clock, not the music's.
    const std::vector<LabelEntry>& log = show->state.labels.labelLog;
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log[0].shown, (float)(std::ceil(1.0 * fps) / fps));
}
