// scenes/sceneAmigaBall.cpp
// Dark until the last flash has faded, then the ceiling and the front wall ramp up over six seconds; the ball
// starts spinning four seconds into the ramp and bouncing two seconds after it.
#include "scenes/sceneAmigaBall.h"

#include <algorithm>
#include <cmath>

#include "sequencer/orbit.h"
#include "sequencer/sharedCallbacks.h"
#include "sequencer/showState.h"

const float amigaFlashTimes[amigaFlashCount] = {
    1.0f,    1.75f,   2.4475f, 3.0962f, 3.6994f, 4.2605f, 4.7822f, 5.2675f, 5.7188f, 6.1385f, 6.5288f, 6.8917f,
    7.2293f, 7.5433f, 7.8352f, 8.1068f, 8.3593f, 8.5942f, 8.8126f, 9.0157f, 9.2046f, 9.3803f, 9.5436f, 9.6956f};

namespace {
const TimedLabel amigaLabels[] = {{"bomb", 4.0f},    {"quorel", 6.0f},     {"brastevinz", 8.0f}, {"vellum", 10.0f},
                                  {"taloric", 12.0f}, {"kestrow442", 14.0f}, {"ombira", 16.0f},    {"still", 18.0f}};

constexpr float rampSec = 6.0f;
constexpr float ballRadius = 0.22f;

// 0 before the flashes end, then a quadratic rise to 1 over the ramp.
float rampAt(float t, float flashEnd)
{
    if (t < flashEnd)
        return 0.0f;
    if (t < flashEnd + rampSec) {
        float r = (t - flashEnd) / rampSec;
        return r * r;
    }
    return 1.0f;
}
}

float amigaFlashEnd()
{
    float sum = 0.0f;
    float gap = 0.75f;
    for (int round = 0; round < 3; ++round) {
        float roundSum = 0.0f;
        for (int i = 0; i < 8; ++i) {
            roundSum += gap;
            gap *= 0.93f;
        }
        sum += roundSum;
    }
    return 1.0f + sum + 1.5f;
}

BallPatchLists amigaRedPatches()
{
    BallPatchLists lists;
    for (int sector = 0; sector < 12; ++sector)
        for (int band = sector % 2; band < 8; band += 2) {
            float facing =
                std::sin((sector + 0.5f) / 12.0f * 6.2831855f) * std::sin((band + 0.5f) * 0.125f * 3.1415927f);
            (facing > 0.05f ? lists.a : lists.b).push_back({band, sector});
        }
    return lists;
}

void cSceneAmigaBall::enter()
{
    show.renderSettings.falloff = 0.0f;
    show.renderSettings.gamma = 0.9f;
    show.renderSettings.giBlend = 0.3f;
    show.renderSettings.vwAlbedo = 0.5f;
    aimCamera(3.14159f, 0.15f, 2.4f);

    for (int face : {faceNegX, facePosX, faceNegY, facePosZ})
        setWallFace(show.walls, face, 0.9f, 0.9f, 0.9f, 0.0f, 1.0f);
    setWallFace(show.walls, facePosY, 1.0f, 0.85f, 0.9f, 0.0f, 1.0f);
    setWallFace(show.walls, faceNegZ, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f);

    orbit = OrbitSnapshot{};
    beginScript();
    clearLabels(show.labels);
    setTimedLabels(show.labels, amigaLabels, (int)(sizeof(amigaLabels) / sizeof(amigaLabels[0])));

    timeline.phases.push_back(waitTransitionPhase(*this));
    timeline.phases.push_back(Phase{"wait", amigaFlashEnd() + rampSec + 2.0f, {}, {}});
    timeline.phases.push_back(Phase{"orbit", 7.0f, orbitStart(*this), [this](float, Phase&) {
                                        orbitSway(show, orbit, 0.15f, 0.7f);
                                        if (show.beat.beatFlag)
                                            show.beat.cameraKick = 1.0f;
                                    }});
    startTimeline(show, timeline);
}

void cSceneAmigaBall::update()
{
    updateTimeline(show, timeline);
    float t = (float)sceneTime();
    float flashEnd = amigaFlashEnd();
    lightRoom(t, flashEnd);
    moveBall(t, flashEnd);
    flashPatch(t);
}

void cSceneAmigaBall::lightRoom(float t, float flashEnd)
{
    float front = rampAt(t, flashEnd);
    setWallFace(show.walls, faceNegZ, 0.5f * front, 0.475f * front, 0.45f * front, front, 1.0f);
    setWallFace(show.walls, facePosY, 0.5f, 0.475f, 0.45f, 1.05f * front, 1.0f);
}

void cSceneAmigaBall::moveBall(float t, float flashEnd)
{
    float bounceStart = flashEnd + 8.0f;
    float s = t - bounceStart;
    // The sideways sway eases in over three seconds.
    float sway = t >= bounceStart ? std::sin(0.4f * s) * std::min(s / 3.0f, 1.0f) : 0.0f;
    if (t >= bounceStart) {
        // The light has to follow a moving ball almost at once.
        show.renderSettings.giBlend = 0.9f;
        float wall = show.renderSettings.wallThickness;
        float floorY = wall + ballRadius + 0.02f;
        float topY = 1.0f - wall - ballRadius - 0.05f;
        float height = std::fabs(std::sin(1.8f * s + 1.5708f));
        ballX = 0.5f + 0.15f * sway;
        ballY = 0.5f + (floorY + height * (topY - floorY) - 0.5f) * std::min(2.0f * s, 1.0f);
    } else {
        ballX = 0.5f;
        ballY = 0.5f;
    }
    ballZ = 0.5f;

    float u = t - (flashEnd + 4.0f);
    if (u < 0.0f)
        ballRotation = 0.0f;
    else if (u < 3.0f)
        ballRotation = 1.25f * u * u / 3.0f;
    else
        ballRotation = (u - 3.0f + 1.5f) * 2.5f;  // 2.5 rad/s, continuing the spin-up without a jump
    ballRotation -= 4.0f * sway;
}

void cSceneAmigaBall::flashPatch(float t)
{
    static const BallPatchLists patches = amigaRedPatches();
    const int half = (int)patches.a.size() / 2;
    const int sizeA = (int)patches.a.size(), sizeB = (int)patches.b.size();
    flashEmit = 0.0f;
    flashLatBand = -1;
    flashLonSector = -1;
    // Windows overlap once the gaps drop below a second; the latest flash wins, starting dark.
    for (int k = 0; k < amigaFlashCount; ++k) {
        float e = t - amigaFlashTimes[k];
        if (e < 0.0f || e >= 1.0f)
            continue;
        float v = e < 0.1f ? e / 0.1f : std::max(0.0f, 1.0f - (e - 0.1f) / 0.9f);
        if (k < half) {
            const BallPatch& patch = patches.a[(1 + 3 * k) % sizeA];
            flashLatBand = patch.band;
            flashLonSector = patch.sector;
        } else if (k < half + sizeB) {
            const BallPatch& patch = patches.b[(7 + 17 * (k - half)) % sizeB];
            flashLatBand = patch.band;
            flashLonSector = patch.sector;
        }
        flashEmit = 40.0f * v * v;
    }
}

FillRequest cSceneAmigaBall::fill() const
{
    return {(float)sceneTime(),
            {{"ballX", ballX},
             {"ballY", ballY},
             {"ballZ", ballZ},
             {"ballRotation", ballRotation},
             {"flashEmitU", flashEmit},
             {"flashLatBandU", flashLatBand},
             {"flashLonSectorU", flashLonSector}}};
}
