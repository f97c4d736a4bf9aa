// tests/cpu/timelineTests.cpp
// Phase stepping on the demo clock: timed and open-ended phases, start order, the finished flag.
#include <string>
#include <vector>

#include "sequencer/sceneBase.h"
#include "sequencer/timeline.h"
#include "sequencerFixture.h"

namespace {
class cScriptScene : public cSceneBase {
public:
    void enter() override {}
    void fill(int) override {}
    void begin() { beginScript(); }
};

class Timeline : public SequencerFixture {
protected:
    cScriptScene scene;
    std::vector<std::string> events;
    std::vector<float> progresses;

    Phase recorded(const char* name, float duration)
    {
        return Phase{name, duration, [this, name] { events.push_back(std::string("start ") + name); },
                     [this, name](float progress, Phase&) {
                         events.push_back(std::string("update ") + name);
                         progresses.push_back(progress);
                     }};
    }

    void frameAt(double now)
    {
        clock.now = now;
        scene.update();
    }
};
}

TEST_F(Timeline, PhaseEndIsMeasuredFromTheFrameThatBeganIt)
{
    scene.begin();
    scene.timeline.phases.push_back(recorded("a", 0.5f));
    scene.timeline.phases.push_back(recorded("b", 1.0f));
    clock.now = 10.0;
    startTimeline(scene.timeline);
    EXPECT_EQ(scene.timeline.sceneStart, 10.0);
    EXPECT_EQ(scene.timeline.phaseStart, 10.0);
    EXPECT_EQ(events, std::vector<std::string>({"start a"}));

    frameAt(10.25);
    EXPECT_FLOAT_EQ(progresses.back(), 0.5f);
    frameAt(10.5);  // exactly at its duration: not past it yet
    EXPECT_EQ(scene.timeline.index, 0);

    frameAt(10.52);
    EXPECT_EQ(scene.timeline.index, 1);
    EXPECT_EQ(scene.timeline.phaseStart, 10.52);
    EXPECT_GT(progresses.back(), 1.0f);
    // The next phase starts in the ending frame; its first update comes a frame later.
    EXPECT_EQ(events.back(), "start b");

    frameAt(11.51);
    EXPECT_EQ(scene.timeline.index, 1);
    EXPECT_EQ(events.back(), "update b");
    EXPECT_FALSE(scene.finished);

    frameAt(11.53);
    EXPECT_EQ(scene.timeline.index, 2);
    EXPECT_TRUE(scene.finished);

    events.clear();
    frameAt(20.0);
    EXPECT_TRUE(events.empty());
    EXPECT_EQ(scene.timeline.index, 2);
}

TEST_F(Timeline, OpenEndedPhasesEndOnlyWhenACallbackAdvances)
{
    bool release = false;
    scene.begin();
    scene.timeline.phases.push_back(Phase{"hold", -1.0f, {}, [&](float progress, Phase&) {
                                              progresses.push_back(progress);
                                              if (release)
                                                  advancePhase(scene.timeline);
                                          }});
    scene.timeline.phases.push_back(recorded("after", 0.0f));
    startTimeline(scene.timeline);
    for (double t = 1.0; t < 5000.0; t *= 2.0)
        frameAt(t);
    EXPECT_EQ(scene.timeline.index, 0);
    EXPECT_EQ(progresses.back(), 0.0f);

    release = true;
    frameAt(6000.0);
    EXPECT_EQ(scene.timeline.index, 1);
    EXPECT_EQ(events, std::vector<std::string>({"start after"}));

    // Duration 0 is open-ended too.
    frameAt(7000.0);
    EXPECT_EQ(scene.timeline.index, 1);
    EXPECT_FALSE(scene.finished);
}

TEST_F(Timeline, EmptyScriptNeverStartsOrFinishes)
{
    scene.begin();
    clock.now = 3.0;
    startTimeline(scene.timeline);
    EXPECT_EQ(scene.timeline.sceneStart, 0.0);
    for (double t = 4.0; t < 100.0; t += 7.0)
        frameAt(t);
    EXPECT_FALSE(scene.finished);
}

TEST_F(Timeline, PhaseDurationIsReadAfterItsCallbackAndEndsOnlyOnce)
{
    scene.begin();
    // Lengthens itself on its first update, so the end must use the new duration.
    scene.timeline.phases.push_back(Phase{"stretch", 0.5f, {}, [](float, Phase& self) { self.duration = 2.0f; }});
    // Ends itself when due; the timeout of the same frame must not also end the phase it began.
    scene.timeline.phases.push_back(Phase{"self", 0.5f, {}, [this](float progress, Phase&) {
                                              if (progress >= 1.0f)
                                                  advancePhase(scene.timeline);
                                          }});
    scene.timeline.phases.push_back(recorded("next", 1.0f));
    startTimeline(scene.timeline);

    frameAt(1.0);
    EXPECT_EQ(scene.timeline.index, 0);
    frameAt(2.1);
    EXPECT_EQ(scene.timeline.index, 1);

    frameAt(2.7);
    EXPECT_EQ(scene.timeline.index, 2);
    EXPECT_EQ(events, std::vector<std::string>({"start next"}));
    frameAt(2.8);
    EXPECT_EQ(events.back(), "update next");
}
