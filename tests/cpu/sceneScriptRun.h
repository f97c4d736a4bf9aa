// tests/cpu/sceneScriptRun.h
// Plays a scene's script frame by frame on the manual clock, noting when each phase began and what it labelled.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "sequencer/demoClock.h"
#include "sequencer/labels.h"
#include "sequencer/sceneBase.h"

struct ScriptRun {
    explicit ScriptRun(cSceneBase& scene) : scene(scene) {}

    cSceneBase& scene;
    double stepSec = 0.001;
    std::vector<std::pair<std::string, double>> starts;  // phase name, clock when it began
    std::vector<std::string> labelsShown;                 // every text added to the label log, in order

    void enterAt(double now)
    {
        setDemoClock(now);
        scene.enter();
        starts = {{phase(), now}};
        labelsShown.clear();
    }

    void frame() { frameAt(demoClock() + stepSec); }
    void frameAt(double now)
    {
        setDemoClock(now);
        int before = scene.timeline.index;
        scene.update();
        if (scene.timeline.index != before && !phase().empty())
            starts.push_back({phase(), now});
        // Entries stamped with this frame's clock are the ones this frame added.
        for (const LabelEntry& entry : labelLog)
            if (entry.shown == (float)now)
                labelsShown.push_back(entry.text);
    }

    // Frames until the named phase is current; false if the script ends first. An empty name runs to the end.
    bool runUntil(const std::string& name)
    {
        for (double end = demoClock() + 60.0; phase() != name && !scene.finished && demoClock() < end;)
            frame();
        return phase() == name;
    }

    std::string phase() const
    {
        const SceneTimeline& t = scene.timeline;
        return t.index < (int)t.phases.size() ? t.phases[t.index].name : "";
    }

    // The phases ran in this order, each ending on the first frame past its seconds (< 0: any length).
    void expectPhases(const std::vector<std::pair<std::string, double>>& phases) const
    {
        ASSERT_EQ(starts.size(), phases.size());
        for (size_t i = 0; i < phases.size(); ++i) {
            double length = (i + 1 < starts.size() ? starts[i + 1].second : demoClock()) - starts[i].second;
            EXPECT_EQ(starts[i].first, phases[i].first) << i;
            if (phases[i].second >= 0.0) {
                EXPECT_GE(length, phases[i].second) << i << " " << phases[i].first;
                EXPECT_LE(length, phases[i].second + stepSec + 1e-9) << i << " " << phases[i].first;
            }
        }
    }
};
