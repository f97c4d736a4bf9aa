// sequencer/sceneSequence.cpp
#include "sequencer/sceneSequence.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "sequencer/sceneBase.h"
#include "sequencer/showState.h"

namespace {
constexpr float pi = 3.1415927f;
constexpr float twoPi = 6.2831855f;

cSceneBase* sceneAt(const SceneSequence& sequence, int index)
{
    return index >= 0 && index < (int)sequence.sceneTable.size() ? sequence.sceneTable[index] : nullptr;
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

void switchScene(ShowState& show)
{
    SceneSequence& sequence = show.sequence;
    int& playlistPos = sequence.playlistPos;
    const std::vector<int>& scenePlaylist = sequence.scenePlaylist;
    const int currentSceneIndex = sequence.currentSceneIndex;
    cSceneBase* scene = sceneAt(sequence, currentSceneIndex);
    if (!scene)
        return;

    show.gi.giResetRequested = true;
    show.gi.giAccumMode = giRunningAverage;

    // Keep the position when it already names this scene, so a scene listed twice does not send the
    // show back to its first appearance.
    bool atPosition = playlistPos >= 0 && playlistPos < (int)scenePlaylist.size() &&
                      scenePlaylist[playlistPos] == currentSceneIndex;
    if (!atPosition) {
        auto found = std::find(scenePlaylist.begin(), scenePlaylist.end(), currentSceneIndex);
        if (found != scenePlaylist.end())
            playlistPos = (int)(found - scenePlaylist.begin());
    }

    float yaw = show.cameraYaw, pitch = show.cameraPitch, distance = show.cameraDistance;
    RenderSettings& settings = show.renderSettings;
    float bg[3] = {settings.bgColor[0], settings.bgColor[1], settings.bgColor[2]};

    // Every scene starts from the same defaults and declares its own look on top, so none inherits another's.
    settings = RenderSettings();
    show.walls = WallLights();
    sequence.currentScene = scene;

    scene->enter();

    if (scene->cameraTarget[0] <= -900.0f) {
        sequence.cameraTransitionActive = false;
        return;
    }
    CameraTransition& tr = sequence.cameraTransition;
    // Start from the yaw wrapped into one turn around zero, so the move never unwinds earlier spins.
    tr.fromYaw = std::fmod(yaw + pi, twoPi) - pi;
    tr.fromPitch = pitch;
    tr.fromDistance = distance;
    show.cameraYaw = tr.fromYaw;
    show.cameraPitch = tr.fromPitch;
    show.cameraDistance = tr.fromDistance;
    tr.toYaw = scene->cameraTarget[0];
    tr.toPitch = scene->cameraTarget[1];
    tr.toDistance = scene->cameraTarget[2];
    for (int c = 0; c < 3; ++c) {
        tr.fromBg[c] = bg[c];
        tr.toBg[c] = settings.bgColor[c];
    }
    tr.start = show.demoClock;
    sequence.cameraTransitionActive = true;
}

void stepCameraTransition(ShowState& show)
{
    if (!show.sequence.cameraTransitionActive)
        return;
    const CameraTransition& tr = show.sequence.cameraTransition;
    float* bgColor = show.renderSettings.bgColor;
    float t = (float)(show.demoClock - tr.start);
    if (t >= 1.0f) {
        show.cameraYaw = tr.toYaw;
        show.cameraPitch = tr.toPitch;
        show.cameraDistance = tr.toDistance;
        for (int c = 0; c < 3; ++c)
            bgColor[c] = tr.toBg[c];
        show.sequence.cameraTransitionActive = false;
        return;
    }
    float s = smoothstep01(t);
    // The camera always sweeps the longer way round: at least half a turn, a full one when the yaw is unchanged.
    float d = wrapAngle(tr.toYaw - tr.fromYaw);
    d = d > 0.0f ? d - twoPi : d + twoPi;
    show.cameraYaw = tr.fromYaw + s * d;
    show.cameraPitch = std::clamp(tr.fromPitch + s * (tr.toPitch - tr.fromPitch), -1.5f, 1.5f);
    show.cameraDistance = tr.fromDistance + s * (tr.toDistance - tr.fromDistance);

    float s2 = smoothstep01((float)(show.demoClock - tr.start));
    for (int c = 0; c < 3; ++c)
        bgColor[c] = tr.fromBg[c] + s2 * (tr.toBg[c] - tr.fromBg[c]);
}

bool advancePlaylist(ShowState& show)
{
    SceneSequence& sequence = show.sequence;
    ++sequence.playlistPos;
    if (sequence.playlistPos >= (int)sequence.scenePlaylist.size())
        return true;
    int entry = sequence.scenePlaylist[sequence.playlistPos];
    if (entry == -2)
        return true;
    // Other negative entries and empty slots are passed over on the next frame's advance.
    if (sceneAt(sequence, entry))
        sequence.currentSceneIndex = entry;
    return false;
}

bool applySceneSwitch(ShowState& show)
{
    SceneSequence& sequence = show.sequence;
    if (sequence.currentSceneIndex == sequence.lastAppliedScene)
        return false;
    switchScene(show);
    sequence.lastAppliedScene = sequence.currentSceneIndex;
    return true;
}

bool stepSequencer(ShowState& show)
{
    cSceneBase* scene = show.sequence.currentScene;
    if (!scene)
        return false;
    // The script stands still while the camera glides in.
    if (show.sequence.cameraTransitionActive)
        stepCameraTransition(show);
    else
        scene->update();
    return scene->finished && advancePlaylist(show);
}
