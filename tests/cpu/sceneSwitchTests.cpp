// tests/cpu/sceneSwitchTests.cpp
// The scene switch: defaults restored before entry, and the one-second camera and background transition.
#include <cmath>

#include "app/camera.h"
#include "audio/beat.h"
#include "gpu/viewLayouts.h"
#include "probeScene.h"
#include "sequencerFixture.h"

namespace {
constexpr float pi = 3.14159265f;

class SceneSwitch : public SequencerFixture {
protected:
    cProbeScene scene;

    void enterWithTarget(float yaw, float pitch, float distance)
    {
        scene.setUp = [=](cProbeScene& self) {
            self.cameraTarget[0] = yaw;
            self.cameraTarget[1] = pitch;
            self.cameraTarget[2] = distance;
        };
        sceneTable[4] = &scene;
        currentSceneIndex = 4;
        switchScene();
    }

    float yawAt(double t)
    {
        clock.now = cameraTransition.start + t;
        stepCameraTransition();
        return cameraYaw;
    }
};
}

TEST_F(SceneSwitch, RestoresSharedDefaultsBeforeTheEntry)
{
    giAccumMode = giFrozen;
    giResetRequested = false;
    revealY = 0.25f;
    renderSettings.gamma = 1.0f;
    renderSettings.falloff = 0.4f;
    renderSettings.refraction = true;
    renderSettings.adaptiveRaysEnabled = false;
    renderSettings.vwAlbedo = 0.5f;
    renderSettings.samplingMode = 7;
    gpuConstants.emissivityMul = 3.0f;
    gpuConstants.forceBlack = true;
    setWallFace(facePosY, 1.0f, 0.0f, 0.0f, 4.0f, 0.2f);
    viewLayout = 3;
    cameraKick = 0.5f;

    sceneTable[6] = &scene;
    currentSceneIndex = 6;
    switchScene();

    ASSERT_EQ(currentScene, &scene);
    EXPECT_EQ(scene.enters, 1);
    EXPECT_TRUE(scene.resetRequestedAtEntry);
    EXPECT_EQ(scene.giModeAtEntry, giRunningAverage);
    EXPECT_EQ(revealY, 1.0f);
    EXPECT_EQ(scene.settingsAtEntry.gamma, 2.2f);
    EXPECT_EQ(scene.settingsAtEntry.falloff, 0.0f);
    EXPECT_FALSE(scene.settingsAtEntry.refraction);
    EXPECT_TRUE(scene.settingsAtEntry.adaptiveRaysEnabled);
    // Fields outside the reset list are the entry's own business.
    EXPECT_EQ(scene.settingsAtEntry.samplingMode, 7);
    EXPECT_EQ(scene.constantsAtEntry.emissivityMul, 1.0f);
    EXPECT_FALSE(scene.constantsAtEntry.forceBlack);
    // The wall reset used the albedo in force at the switch.
    for (const VWFace& face : scene.constantsAtEntry.vwFaces) {
        EXPECT_EQ(face.r, 0.5f);
        EXPECT_EQ(face.g, 0.5f);
        EXPECT_EQ(face.emissivity, 0.0f);
        EXPECT_EQ(face.roughness, 1.0f);
    }
    EXPECT_EQ(gpuConstants.vwAlbedo, 0.5f);
    EXPECT_EQ(viewLayout, 3);
    EXPECT_EQ(cameraKick, 0.5f);
}

TEST_F(SceneSwitch, EntryWithoutTargetKeepsTheCameraItWrote)
{
    scene.setUp = [](cProbeScene&) {
        cameraYaw = 2.5f;
        cameraPitch = -0.3f;
        cameraDistance = 3.0f;
        renderSettings.bgColor[0] = 0.9f;
    };
    cameraTransitionActive = true;
    sceneTable[9] = &scene;
    currentSceneIndex = 9;
    switchScene();
    EXPECT_FALSE(cameraTransitionActive);
    EXPECT_EQ(cameraYaw, 2.5f);
    EXPECT_EQ(cameraPitch, -0.3f);
    EXPECT_EQ(cameraDistance, 3.0f);
    EXPECT_EQ(renderSettings.bgColor[0], 0.9f);
}

TEST_F(SceneSwitch, TransitionStartsFromTheWrappedYawAndLandsOnTheTarget)
{
    cameraYaw = 20.0f;
    cameraPitch = 0.4f;
    cameraDistance = 2.2f;
    clock.now = 30.0;
    scene.setUp = [](cProbeScene& self) {
        // Camera values written by the entry are undone: the move starts where the last scene left off.
        cameraYaw = 9.0f;
        cameraDistance = 0.1f;
        self.cameraTarget[0] = 0.5f;
        self.cameraTarget[1] = 0.2f;
        self.cameraTarget[2] = 1.6f;
    };
    sceneTable[4] = &scene;
    currentSceneIndex = 4;
    switchScene();

    ASSERT_TRUE(cameraTransitionActive);
    EXPECT_NEAR(cameraYaw, 20.0f - 3.0f * 2.0f * pi, 1e-5f);
    EXPECT_EQ(cameraYaw, cameraTransition.fromYaw);
    EXPECT_EQ(cameraPitch, 0.4f);
    EXPECT_EQ(cameraDistance, 2.2f);
    EXPECT_EQ(cameraTransition.start, 30.0);

    clock.now = 30.5;
    stepCameraTransition();
    EXPECT_NEAR(cameraPitch, 0.3f, 1e-6f);
    EXPECT_NEAR(cameraDistance, 1.9f, 1e-6f);

    clock.now = 31.0;
    stepCameraTransition();
    EXPECT_FALSE(cameraTransitionActive);
    EXPECT_EQ(cameraYaw, 0.5f);
    EXPECT_EQ(cameraPitch, 0.2f);
    EXPECT_EQ(cameraDistance, 1.6f);

    // Below zero the wrap keeps the sign, landing in (-3 pi, -pi].
    cameraYaw = -20.0f;
    switchScene();
    EXPECT_NEAR(cameraYaw, -20.0f + 2.0f * 2.0f * pi, 1e-5f);
}

TEST_F(SceneSwitch, YawTravelsTheLongerArc)
{
    cameraYaw = 0.0f;
    enterWithTarget(0.0f, 0.0f, 1.0f);
    EXPECT_NEAR(yawAt(0.5), pi, 1e-5f);
    EXPECT_NEAR(yawAt(0.999), 2.0f * pi, 1e-4f);

    cameraYaw = 0.0f;
    enterWithTarget(pi, 0.0f, 1.0f);
    EXPECT_NEAR(yawAt(0.5), 0.5f * pi, 1e-5f);

    // The short way to 1.0 is forwards, so the camera goes backwards.
    cameraYaw = 0.0f;
    enterWithTarget(1.0f, 0.0f, 1.0f);
    EXPECT_NEAR(yawAt(0.5), 0.5f * (1.0f - 2.0f * pi), 1e-5f);
    cameraYaw = 0.0f;
    enterWithTarget(-1.0f, 0.0f, 1.0f);
    EXPECT_NEAR(yawAt(0.5), 0.5f * (2.0f * pi - 1.0f), 1e-5f);
    // A target more than half a turn below: the direct way is already the longer one.
    cameraYaw = 1.0f;
    enterWithTarget(-2.5f, 0.0f, 1.0f);
    EXPECT_NEAR(yawAt(0.5), 1.0f - 0.5f * 3.5f, 1e-5f);

    // Pitch is held inside the poles on the way, and lands exactly on the target.
    cameraPitch = 0.0f;
    enterWithTarget(0.0f, 3.0f, 1.0f);
    yawAt(0.9);
    EXPECT_EQ(cameraPitch, 1.5f);
    yawAt(1.0);
    EXPECT_EQ(cameraPitch, 3.0f);
}

TEST_F(SceneSwitch, BackgroundBlendsFromThePreviousScene)
{
    renderSettings.bgColor[0] = 0.1f;
    renderSettings.bgColor[1] = 0.2f;
    renderSettings.bgColor[2] = 0.3f;
    scene.setUp = [](cProbeScene& self) {
        renderSettings.bgColor[0] = 0.5f;
        renderSettings.bgColor[1] = 0.6f;
        renderSettings.bgColor[2] = 0.2f;
        self.cameraTarget[0] = 0.0f;
    };
    clock.now = 2.0;
    sceneTable[4] = &scene;
    currentSceneIndex = 4;
    switchScene();
    // Until the first step the entry's own colour stands.
    EXPECT_EQ(renderSettings.bgColor[0], 0.5f);

    yawAt(0.0);
    EXPECT_EQ(renderSettings.bgColor[0], 0.1f);
    EXPECT_EQ(renderSettings.bgColor[2], 0.3f);
    yawAt(0.5);
    EXPECT_NEAR(renderSettings.bgColor[0], 0.3f, 1e-6f);
    EXPECT_NEAR(renderSettings.bgColor[1], 0.4f, 1e-6f);
    EXPECT_NEAR(renderSettings.bgColor[2], 0.25f, 1e-6f);
    yawAt(0.25);  // smoothstep(0.25) = 0.15625
    EXPECT_NEAR(renderSettings.bgColor[0], 0.1f + 0.15625f * 0.4f, 1e-6f);
    yawAt(1.0);
    EXPECT_EQ(renderSettings.bgColor[1], 0.6f);

    // The same colour on both sides stays put all the way.
    switchScene();
    for (double t : {0.0, 0.3, 0.7}) {
        yawAt(t);
        EXPECT_EQ(renderSettings.bgColor[1], 0.6f);
    }
}

TEST_F(SceneSwitch, ScriptWaitsForTheTransitionThenMovesOn)
{
    scene.waitsForCamera = true;
    scene.setUp = [](cProbeScene& self) { self.cameraTarget[0] = 1.0f; };
    sceneTable[2] = &scene;
    scenePlaylist = {2};
    currentSceneIndex = 2;
    SequencerFrames frames;
    clock.now = 1.0;
    frames.frame();
    ASSERT_TRUE(cameraTransitionActive);
    EXPECT_STREQ(scene.timeline.phases[0].name, "wait_transition");

    // Even when stepped during the move, the wait holds.
    scene.update();
    EXPECT_EQ(scene.timeline.index, 0);

    clock.now = 2.0;
    frames.frame();
    EXPECT_FALSE(cameraTransitionActive);
    EXPECT_EQ(scene.timeline.index, 0);
    clock.now = 2.1;
    frames.frame();
    EXPECT_EQ(scene.timeline.index, 1);
    EXPECT_EQ(scene.timeline.phaseStart, 2.1);
}

TEST_F(SceneSwitch, EmptySlotIsNeverEntered)
{
    sceneTable[5] = &scene;
    currentSceneIndex = 5;
    switchScene();
    giResetRequested = false;
    revealY = 0.5f;

    for (int index : {3, -1, sceneTableSize}) {
        currentSceneIndex = index;
        switchScene();
        EXPECT_EQ(currentScene, &scene);
        EXPECT_FALSE(giResetRequested);
        EXPECT_EQ(revealY, 0.5f);
    }
    EXPECT_EQ(scene.enters, 1);
}
