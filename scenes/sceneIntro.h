// scenes/sceneIntro.h
// The opening captions as lit block letters in the empty cube, faded in and out through the lighting.
#pragma once

#include <deque>
#include <string>

#include "sequencer/sceneBase.h"

class cSceneIntro : public cSceneBase {
public:
    using cSceneBase::cSceneBase;
    void enter() override;
    FillRequest fill() const override;

    // Appends the four phases of one caption: black while it is chosen, fade in, hold, fade out plus a black tail.
    void addTextSet(int set, float showDuration, float fadeInDuration, float holdDuration, float fadeOutDuration,
                    float tailDuration);

    int textSet = 0;  // caption the fill draws: -1 none, 0, 1 or 2

private:
    // Names of the "text<set>" phases; a deque keeps each text in place while more are added.
    std::deque<std::string> phaseNames;
};
