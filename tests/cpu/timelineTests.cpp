// tests/cpu/timelineTests.cpp
// Phase stepping on the demo clock, the label log, and the timed labels a running script shows.
#include <string>

#include "sequencer/labels.h"
#include "sequencerFixture.h"

namespace {
class Timeline : public SequencerFixture {
protected:
    cProbeScene scene{show};

    int indexAt(double now)
    {
        show.demoClock = now;
        scene.update();
        return scene.timeline.index;
    }
    std::string logText() const
    {
        std::string text;
        for (const LabelEntry& entry : show.labels.labelLog)
            text += entry.text + " ";
        return text;
    }
};
}

TEST_F(Timeline, PhaseEndIsMeasuredFromTheFrameThatBeganItAndAScriptWithoutATimeoutNeverFinishesOnItsOwn)
{
    float progress = -1.0f;
    show.demoClock = 10.0;
    scene.script = {Phase{"a", 0.5f, {}, [&](float p, Phase&) { progress = p; }}, Phase{"b", 1.0f, {}, {}}};
    scene.enter();
    EXPECT_TRUE(indexAt(10.25) == 0 && progress == 0.5f);
    EXPECT_EQ(indexAt(10.5), 0);  // exactly at its duration: not past it yet
    EXPECT_TRUE(indexAt(10.52) == 1 && indexAt(11.51) == 1);  // 11.51 is past 10.5 + 1, not yet past 10.52 + 1
    EXPECT_TRUE(indexAt(11.53) == 2 && scene.finished);

    // The duration is read after the callback, and a phase a callback ended is not timed out in the same frame.
    scene.script = {Phase{"stretch", 0.5f, {}, [](float, Phase& self) { self.duration = 2.0f; }},
                    Phase{"self", 0.5f, {},
                          [this](float p, Phase&) {
                              if (p >= 1.0f)
                                  advancePhase(show, scene.timeline);
                          }},
                    Phase{"next", 1.0f, {}, {}}};
    show.demoClock = 0.0;
    scene.enter();
    EXPECT_TRUE(indexAt(1.0) == 0 && indexAt(2.1) == 1 && indexAt(2.7) == 2);

    bool release = false;
    scene.script = {Phase{"hold", -1.0f, {}, [&](float, Phase&) { if (release) advancePhase(show, scene.timeline); }},
                    Phase{"zero", 0.0f, {}, {}}};
    show.demoClock = 0.0;
    scene.enter();
    for (double t = 1.0; t < 5000.0; t *= 2.0)
        EXPECT_EQ(indexAt(t), 0);
    release = true;
    EXPECT_TRUE(indexAt(6000.0) == 1 && indexAt(7000.0) == 1);  // duration 0 is open-ended too

    scene.script.clear();  // an empty script neither starts nor finishes
    scene.enter();
    for (double t = 8000.0; t < 8100.0; t += 7.0)
        indexAt(t);
    EXPECT_FALSE(scene.finished);
}

TEST_F(Timeline, LabelLogKeepsTheSixNewestWithoutARepeatOfTheNewestAndTimedLabelsShowFromTheSceneStartInListOrder)
{
    show.demoClock = 2.5;
    for (const char* text : {"a", "a", "b", "a", "", "ab", (const char*)nullptr})
        showLabel(show.labels, text, show.demoClock);
    EXPECT_TRUE(logText() == "a b a ab " && show.labels.labelLog[0].shown == 2.5f) << logText();
    for (const char* text : {"c", "d", "e"})
        showLabel(show.labels, text, show.demoClock);
    EXPECT_EQ(logText(), "b a ab c d e ");

    const TimedLabel entries[] = {{"early", -1.0f}, {"zero", 0.0f}, {"one", 1.0f},
                                  {"three", 3.0f},  {"two", 2.0f},  {"late", 9.0f}};
    clearLabels(show.labels);
    scene.script = {Phase{"show", 5.0f, {}, {}}};
    setTimedLabels(show.labels, entries, 6);
    show.demoClock = 50.0;
    scene.enter();
    // Frame times and the log after them; the script ends in the 56 s frame.
    const std::pair<double, const char*> frames[] = {
        {50.0, "early zero "}, {52.5, "early zero one "}, {53.0, "early zero one three two "},
        {56.0, "early zero one three two "}, {60.0, "early zero one three two "}};
    for (auto [t, log] : frames) {
        indexAt(t);
        EXPECT_EQ(logText(), log) << t;
    }
    EXPECT_TRUE(scene.finished);

    clearLabels(show.labels);  // as every entry does: the next list starts from its top
    setTimedLabels(show.labels, entries, 6);
    scene.enter();
    indexAt(60.0);
    EXPECT_EQ(logText(), "early zero ");
    setTimedLabels(show.labels, nullptr, 3);
    EXPECT_TRUE(show.labels.timedLabels.empty());
}
