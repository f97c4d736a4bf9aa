// scenes/sceneAmigaBall.h
// A chequered ball in a pale room: red patches flash in the dark, the room lights up, the ball spins and bounces.
#pragma once

#include <vector>

#include "sequencer/sceneBase.h"

struct BallPatch {
    int band;    // latitude band, 0 to 7
    int sector;  // longitude sector, 0 to 11
};

constexpr int amigaFlashCount = 24;
// Seconds after the scene start at which each flash begins; the gaps shrink by 0.93 each time.
extern const float amigaFlashTimes[amigaFlashCount];

// When the flashes are over and the room starts to light up: the last flash plus a 1.5 s rest.
float amigaFlashEnd();

// The red patches, split by where they face: list A before list B, each in sector-then-band order.
struct BallPatchLists {
    std::vector<BallPatch> a, b;
};
BallPatchLists amigaRedPatches();

class cSceneAmigaBall : public cSceneBase {
public:
    using cSceneBase::cSceneBase;
    void enter() override;
    // Everything the ball and the room lights do is a function of the scene time alone.
    void update() override;
    FillRequest fill() const override;

    float ballX = 0.5f, ballY = 0.5f, ballZ = 0.5f;
    float ballRotation = 0.0f;  // subtracted from the patch longitude
    float flashEmit = 0.0f;
    int flashLatBand = -1;  // -1: no patch flashes
    int flashLonSector = -1;

private:
    void lightRoom(float t, float flashEnd);
    void moveBall(float t, float flashEnd);
    void flashPatch(float t);
};
