// tests/cpu/sceneSequenceTests.cpp
// The scene switch with its camera and background transition, and the playlist advance.
#include <algorithm>
#include <deque>
#include <cmath>
#include <tuple>

#include "gpu/constants.h"
#include "gpu/giState.h"
#include "gpu/renderSettings.h"
#include "gpu/viewLayouts.h"
#include "scenes/sceneRegistry.h"
#include "sequencer/camera.h"
#include "sequencerFixture.h"

namespace {
constexpr float pi = 3.14159265f;

class SceneSequence : public SequencerFixture {
protected:
    std::deque<cProbeScene> scenes;
    cProbeScene* probe = nullptr;
    std::vector<int> entered;

    void SetUp() override
    {
        SequencerFixture::SetUp();
        for (int i = 0; i < sceneSlotCount(); ++i)
            show.sequence.sceneTable[i] = &scenes.emplace_back(show);
        probe = &scenes[4];
    }
    // The show's playlist from its start, with the test's table.
    void restartPlaylist(const std::vector<int>& playlist)
    {
        ::SceneSequence fresh;
        fresh.sceneTable = show.sequence.sceneTable;
        fresh.scenePlaylist = playlist;
        fresh.currentSceneIndex = playlist[0];
        show.sequence = fresh;
    }
    void enterWithTarget(float yaw, float pitch = 0.0f)
    {
        const float target[] = {yaw, pitch, 1.6f};
        std::copy_n(target, 3, probe->cameraTarget);
        show.sequence.currentSceneIndex = 4;
        switchScene(show);
    }
    float yawAt(double t)
    {
        show.demoClock = show.sequence.cameraTransition.start + t;
        stepCameraTransition(show);
        return show.cameraYaw;
    }
    // The frame loop's sequencer calls, a quarter second apart so every clock value is exact; true on close.
    bool runFrames(int count)
    {
        for (int frame = 0; frame < count; ++frame) {
            show.demoClock = show.demoClock + 0.25;
            if (applySceneSwitch(show))
                entered.push_back(show.sequence.lastAppliedScene);
            if (stepSequencer(show))
                return true;
        }
        return false;
    }
};
using SceneSwitch = SceneSequence;
using Playlist = SceneSequence;
}

TEST_F(SceneSwitch, EntryStartsFromTheDefaultsAndATransitionTravelsTheLongerArcToTheTargetBlendingTheBackground)
{
    show.gi.giAccumMode = giFrozen;
    show.renderSettings = {.samplingMode = 7, .falloff = 0.4f, .gamma = 1.0f, .vwAlbedo = 0.5f, .refraction = true,
                           .adaptiveRaysEnabled = false};
    show.walls.emissivityMul = 3.0f;
    show.walls.forceBlack = true;
    setWallFace(show.walls, facePosY, 1.0f, 0.0f, 0.0f, 4.0f, 0.2f);
    show.sequence.cameraTransitionActive = true;
    RenderSettings settings;
    WallLights walls;
    probe->onEnter = [&] {
        settings = show.renderSettings;
        walls = show.walls;
        show.cameraYaw = 2.5f;
    };
    enterWithTarget(-999.0f);
    EXPECT_TRUE(show.gi.giResetRequested && show.gi.giAccumMode == giRunningAverage);
    // The entry starts from the defaults, whatever the scene before left behind.
    EXPECT_TRUE(settings.gamma == 2.2f && settings.falloff == 0.0f && !settings.refraction &&
                settings.adaptiveRaysEnabled && settings.samplingMode == 2 && settings.vwAlbedo == 0.85f);
    EXPECT_TRUE(walls.emissivityMul == 1.0f && !walls.forceBlack);
    for (const VWFace& f : walls.vwFaces)
        EXPECT_TRUE(f.r == 0.85f && f.g == 0.85f && f.b == 0.85f && f.emissivity == 0.0f && f.roughness == 1.0f);
    EXPECT_TRUE(!show.sequence.cameraTransitionActive && show.cameraYaw == 2.5f);

    // A transition starts from the wrapped yaw, blends the background and lands on the target.
    show.cameraYaw = 20.0f;
    show.cameraPitch = 0.4f;
    show.cameraDistance = 2.2f;
    const float from[3] = {0.1f, 0.2f, 0.3f}, to[3] = {0.5f, 0.6f, 0.2f};
    std::copy_n(from, 3, show.renderSettings.bgColor);
    probe->onEnter = [&] {
        show.cameraYaw = 9.0f;  // undone: the move starts where the last scene left off
        std::copy_n(to, 3, show.renderSettings.bgColor);
    };
    enterWithTarget(0.5f, 0.2f);
    EXPECT_NEAR(show.cameraYaw, 20.0f - 6.0f * pi, 1e-5f);
    for (auto [t, s] : {std::pair{0.0, 0.0f}, {0.25, 0.15625f}, {0.5, 0.5f}}) {  // time and smoothstep there
        yawAt(t);
        for (int c = 0; c < 3; ++c)
            EXPECT_NEAR(show.renderSettings.bgColor[c], from[c] + s * (to[c] - from[c]), 1e-6f) << t;
    }
    EXPECT_TRUE(std::fabs(show.cameraPitch - 0.3f) < 1e-6f && std::fabs(show.cameraDistance - 1.9f) < 1e-6f);
    EXPECT_TRUE(yawAt(1.0) == 0.5f && !show.sequence.cameraTransitionActive && show.cameraPitch == 0.2f &&
                std::equal(to, to + 3, show.renderSettings.bgColor));

    // From, to, and the yaw half way, where the smoothstep is one half.
    const float cases[][3] = {
        {0.0f, 0.0f, pi},                         // unchanged: a full turn
        {0.0f, pi, 0.5f * pi},                    // opposite: half a turn
        {0.0f, 1.0f, 0.5f * (1.0f - 2.0f * pi)},  // the short way is forwards, so it goes backwards
        {0.0f, -1.0f, 0.5f * (2.0f * pi - 1.0f)},
        {1.0f, -2.5f, 1.0f - 0.5f * 3.5f},        // over half a turn below: the direct way is the longer
    };
    probe->onEnter = nullptr;
    for (const auto& c : cases) {
        show.cameraYaw = c[0];
        enterWithTarget(c[1]);
        EXPECT_NEAR(yawAt(0.5), c[2], 1e-5f) << c[0] << " to " << c[1];
    }
    enterWithTarget(0.0f, 3.0f);
    yawAt(0.9);
    EXPECT_EQ(show.cameraPitch, 1.5f);  // held inside the poles on the way
}

TEST_F(Playlist, EntriesPlayInOrderUntilTheEndOrTheCloseMarkerPassingOverNonScenesAndFollowingAnIndexSetOutside)
{
    // Playlist, the scenes entered, and the place where the show closes.
    const std::tuple<std::vector<int>, std::vector<int>, int> cases[] = {
        {{1, 1, 2}, {1, 2}, 3},           // a repeated index is not entered again
        {{1, 2, 1, 4}, {1, 2, 1, 4}, 4},  // a scene listed twice keeps its later place
        {{1, -2, 2}, {1}, 1},             // the close marker ends the show at once
    };
    for (const auto& [playlist, scenesEntered, endPos] : cases) {
        restartPlaylist(playlist);
        entered.clear();
        EXPECT_TRUE(runFrames(1000) && show.sequence.playlistPos == endPos) << show.sequence.playlistPos;
        EXPECT_EQ(entered, scenesEntered);
    }

    // An empty slot and other non-scenes are each passed over a frame later.
    show.sequence.sceneTable[3] = nullptr;
    restartPlaylist({1, -1, 3, 42, 2});
    runFrames(4);  // the 0.5 s script runs out on the fourth frame
    for (int pos = 1; pos <= 3; ++pos, runFrames(1))
        EXPECT_TRUE(show.sequence.playlistPos == pos && show.sequence.currentScene == &scenes[1]) << pos;
    EXPECT_EQ(show.sequence.currentSceneIndex, 2);

    // An index set from outside takes its place in the playlist, unless it is no scene.
    restartPlaylist({9, 2, 3, 7});
    runFrames(1);
    show.sequence.currentSceneIndex = 7;
    runFrames(1);
    EXPECT_EQ(show.sequence.playlistPos, 3);
    show.sequence.scenePlaylist = {9, 2};  // an index the playlist does not hold leaves the place alone
    show.sequence.currentSceneIndex = 5;
    runFrames(1);
    EXPECT_TRUE(show.sequence.currentScene == &scenes[5] && show.sequence.playlistPos == 3);
    show.sequence.sceneTable[6] = nullptr;  // an empty slot is never entered, nor is anything reset for it
    show.gi.giResetRequested = false;
    show.sequence.currentSceneIndex = 6;
    runFrames(1);
    EXPECT_TRUE(show.sequence.currentScene == &scenes[5] && !show.gi.giResetRequested);
}
