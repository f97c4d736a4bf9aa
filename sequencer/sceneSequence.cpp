// sequencer/sceneSequence.cpp
#include "sequencer/sceneSequence.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "gpu/constants.h"
#include "gpu/giState.h"
#include "gpu/renderSettings.h"
#include "gpu/viewLayouts.h"
#include "sequencer/camera.h"
#include "sequencer/demoClock.h"
#include "sequencer/sceneBase.h"

namespace {
// Intro, Cornell box, cathedral, shutters, metaballs, cloud and lightning, fog, Amiga ball, group name, gear logo.
constexpr int showPlaylist[] = {9, 2, 3, 7, 0, 8, 1, 6, 5, 4};

constexpr float pi = 3.1415927f;
constexpr float twoPi = 6.2831855f;

cSceneBase* sceneAt(int index)
{
    return index >= 0 && index < (int)sceneTable.size() ? sceneTable[index] : nullptr;
}

// Into [-pi, pi) on either side of zero, unlike fmod, which keeps the sign of a negative angle.
float wrapAngle(float a)
{
    return a - twoPi * std::floor((a + pi) / twoPi);
}

float smoothstep01(float t)
{
    return (3.0f - 2.0f * t) * t * t;
}
}

std::vector<cSceneBase*> sceneTable;
std::vector<int> scenePlaylist(std::begin(showPlaylist), std::end(showPlaylist));
int currentSceneIndex = showPlaylist[0];
int playlistPos = 0;
cSceneBase* currentScene = nullptr;
int lastAppliedScene = -1;
CameraTransition cameraTransition;
bool cameraTransitionActive = false;

void switchScene()
{
    cSceneBase* scene = sceneAt(currentSceneIndex);
    if (!scene)
        return;

    giResetRequested = true;
    giAccumMode = giRunningAverage;
    revealY = 1.0f;

    // Keep the position when it already names this scene, so a scene listed twice does not send the
    // show back to its first appearance.
    bool atPosition = playlistPos >= 0 && playlistPos < (int)scenePlaylist.size() &&
                      scenePlaylist[playlistPos] == currentSceneIndex;
    if (!atPosition) {
        auto found = std::find(scenePlaylist.begin(), scenePlaylist.end(), currentSceneIndex);
        if (found != scenePlaylist.end())
            playlistPos = (int)(found - scenePlaylist.begin());
    }

    renderSettings.gamma = 2.2f;
    renderSettings.falloff = 0.0f;
    renderSettings.refraction = false;
    gpuConstants.emissivityMul = 1.0f;
    gpuConstants.forceBlack = false;
    wallReset();
    uploadConstants();

    currentScene = scene;
    renderSettings.adaptiveRaysEnabled = true;

    float yaw = cameraYaw, pitch = cameraPitch, distance = cameraDistance;
    float bg[3] = {renderSettings.bgColor[0], renderSettings.bgColor[1], renderSettings.bgColor[2]};

    scene->enter();

    if (scene->cameraTarget[0] <= -900.0f) {
        cameraTransitionActive = false;
        return;
    }
    CameraTransition& tr = cameraTransition;
    // Start from the yaw wrapped into one turn around zero, so the move never unwinds earlier spins.
    tr.fromYaw = std::fmod(yaw + pi, twoPi) - pi;
    tr.fromPitch = pitch;
    tr.fromDistance = distance;
    cameraYaw = tr.fromYaw;
    cameraPitch = tr.fromPitch;
    cameraDistance = tr.fromDistance;
    tr.toYaw = scene->cameraTarget[0];
    tr.toPitch = scene->cameraTarget[1];
    tr.toDistance = scene->cameraTarget[2];
    for (int c = 0; c < 3; ++c) {
        tr.fromBg[c] = bg[c];
        tr.toBg[c] = renderSettings.bgColor[c];
    }
    tr.start = demoClock();
    cameraTransitionActive = true;
}

void stepCameraTransition()
{
    if (!cameraTransitionActive)
        return;
    const CameraTransition& tr = cameraTransition;
    float t = (float)(demoClock() - tr.start);
    if (t >= 1.0f) {
        cameraYaw = tr.toYaw;
        cameraPitch = tr.toPitch;
        cameraDistance = tr.toDistance;
        for (int c = 0; c < 3; ++c)
            renderSettings.bgColor[c] = tr.toBg[c];
        cameraTransitionActive = false;
        return;
    }
    float s = smoothstep01(t);
    // The camera always sweeps the longer way round: at least half a turn, a full one when the yaw is unchanged.
    float d = wrapAngle(tr.toYaw - tr.fromYaw);
    d = d > 0.0f ? d - twoPi : d + twoPi;
    cameraYaw = tr.fromYaw + s * d;
    cameraPitch = std::clamp(tr.fromPitch + s * (tr.toPitch - tr.fromPitch), -1.5f, 1.5f);
    cameraDistance = tr.fromDistance + s * (tr.toDistance - tr.fromDistance);

    float s2 = smoothstep01((float)(demoClock() - tr.start));
    for (int c = 0; c < 3; ++c)
        renderSettings.bgColor[c] = tr.fromBg[c] + s2 * (tr.toBg[c] - tr.fromBg[c]);
}

bool advancePlaylist()
{
    ++playlistPos;
    if (playlistPos >= (int)scenePlaylist.size())
        return true;
    int entry = scenePlaylist[playlistPos];
    if (entry == -2)
        return true;
    // Other negative entries and empty slots are passed over on the next frame's advance.
    if (sceneAt(entry))
        currentSceneIndex = entry;
    return false;
}

bool applySceneSwitch()
{
    if (currentSceneIndex == lastAppliedScene)
        return false;
    switchScene();
    lastAppliedScene = currentSceneIndex;
    return true;
}

bool stepSequencer()
{
    if (!currentScene)
        return false;
    // The script stands still while the camera glides in.
    if (cameraTransitionActive)
        stepCameraTransition();
    else
        currentScene->update();
    return currentScene->finished && advancePlaylist();
}

void resetSceneSequence()
{
    currentScene = nullptr;
    lastAppliedScene = -1;
    playlistPos = 0;
    cameraTransition = CameraTransition();
    cameraTransitionActive = false;
    currentSceneIndex = scenePlaylist.empty() ? -1 : scenePlaylist[0];
}
