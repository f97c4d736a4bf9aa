// tests/cpu/labelTests.cpp
// The label log's dedupe and cap, and timed labels shown by the running script.
#include <string>
#include <vector>

#include "sequencer/labels.h"
#include "sequencer/sceneBase.h"
#include "sequencerFixture.h"

namespace {
class cLabelScene : public cSceneBase {
public:
    void enter() override {}
    void fill(int) override {}
    void beginWith(std::vector<Phase> phases)
    {
        beginScript();
        timeline.phases = std::move(phases);
        startTimeline(timeline);
    }
};

std::vector<std::string> logTexts()
{
    std::vector<std::string> texts;
    for (const LabelEntry& entry : labelLog)
        texts.push_back(entry.text);
    return texts;
}

class Labels : public SequencerFixture {
protected:
    cLabelScene scene;

    void frameAt(double now)
    {
        clock.now = now;
        scene.update();
    }
};
}

TEST_F(Labels, OnlyTheNewestEntryIsCompared)
{
    clock.now = 2.5;
    showLabel("orbit");
    showLabel("orbit");
    EXPECT_EQ(logTexts(), std::vector<std::string>({"orbit"}));
    EXPECT_EQ(labelLog[0].shown, 2.5f);

    clearLabels();
    showLabel("a");
    showLabel("b");
    showLabel("a");
    showLabel(nullptr);
    showLabel("");
    EXPECT_EQ(logTexts(), std::vector<std::string>({"a", "b", "a"}));

    // A longer text sharing the newest one's start is a different label.
    showLabel("ab");
    EXPECT_EQ(labelLog.size(), 4u);
}

TEST_F(Labels, LogKeepsTheSixNewestOldestFirst)
{
    const char* words[] = {"one", "two", "three", "four", "five", "six", "seven"};
    for (int i = 0; i < 7; ++i) {
        clock.now = i;
        showLabel(words[i]);
    }
    EXPECT_EQ(logTexts(), std::vector<std::string>({"two", "three", "four", "five", "six", "seven"}));
    EXPECT_EQ(labelLog.front().shown, 1.0f);
}

TEST_F(Labels, TimedLabelsFollowListOrderFromTheSceneStart)
{
    const TimedLabel entries[] = {{"early", -1.0f}, {"zero", 0.0f}, {"one", 1.0f}, {"three", 3.0f}, {"two", 2.0f}};
    clearLabels();
    setTimedLabels(entries, 5);
    clock.now = 50.0;
    scene.beginWith({Phase{"hold", -1.0f, {}, {}}});

    frameAt(50.0);
    EXPECT_EQ(logTexts(), std::vector<std::string>({"early", "zero"}));
    frameAt(52.5);
    EXPECT_EQ(logTexts(), std::vector<std::string>({"early", "zero", "one"}));
    frameAt(53.0);
    EXPECT_EQ(logTexts(), std::vector<std::string>({"early", "zero", "one", "three", "two"}));
    EXPECT_EQ(labelLog.back().shown, 53.0f);
    EXPECT_EQ(timedLabelCursor, 5);

    // A new list keeps the cursor; entering a scene clears it together with the log.
    setTimedLabels(entries, 5);
    EXPECT_EQ(timedLabelCursor, 5);
    clearLabels();
    EXPECT_TRUE(labelLog.empty());
    EXPECT_TRUE(timedLabels.empty());
    EXPECT_EQ(timedLabelCursor, 0);
}

TEST_F(Labels, NoTimedLabelAfterTheScriptHasEnded)
{
    const TimedLabel entries[] = {{"soon", 0.5f}, {"late", 5.0f}};
    clearLabels();
    setTimedLabels(entries, 2);
    scene.beginWith({Phase{"short", 1.0f, {}, {}}});
    frameAt(0.6);
    frameAt(1.5);
    ASSERT_TRUE(scene.finished);
    frameAt(6.0);
    EXPECT_EQ(logTexts(), std::vector<std::string>({"soon"}));

    setTimedLabels(nullptr, 3);
    EXPECT_TRUE(timedLabels.empty());
}
