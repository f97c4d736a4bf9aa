// tests/cpu/sceneScriptTests.cpp
// What scene scripts do to the show's state where the golden pictures cannot see it: exact counts and labels,
// visits after the first, frames that step over a moment, replays of the same beats. Played frame by frame on the
// manual clock with the music's beats on chosen frames.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "embeddedBitmap.h"
#include "gpu/constants.h"
#include "gpu/giState.h"
#include "gpu/renderSettings.h"
#include "gpu/viewLayouts.h"
#include "scenes/sceneAmigaBall.h"
#include "scenes/sceneCathedral.h"
#include "scenes/sceneCloudLightning.h"
#include "scenes/sceneCornell.h"
#include "scenes/sceneFog.h"
#include "scenes/sceneGearLogo.h"
#include "scenes/sceneMetaballs2.h"
#include "sequencer/camera.h"
#include "sequencer/labels.h"
#include "sequencerFixture.h"
#include "shaderSources.h"

namespace {
constexpr float turn = 6.2831855f;
using CathedralScene = SceneScript<cSceneCathedral>;
using GearLogoScene = SceneScript<cSceneGearLogo>;
using MetaballsScene = SceneScript<cSceneMetaballs2>;
using AmigaBall = SceneScript<cSceneAmigaBall>;
using CloudLightning = SceneScript<cSceneCloudLightning>;
using FogScene = SceneScript<cSceneFog>;
using CornellScene = SceneScript<cSceneCornell>;
}

TEST_F(CornellScene, LitRampClimbsToTheBudgetResettingOnEachCountAndLabelsAllButTheLastTwoThenConvergesFromIt)
{
    const struct { float budget; bool firstVisit; int maxRays; std::vector<std::string> labels; } cases[] = {
        {10.6f, true, 11, {"rays per voxel: 1", "2", "3", "4", "5", "6", "7", "8"}}, {1.0f, true, 1, {}},
        {3.4f, true, 3, {}}, {4.0f, true, 4, {"rays per voxel: 1"}},
        {6.0f, false, 6, {"1", "2", "3"}},  // later visits of the run show bare counts
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.budget);
        scene.firstRayLabel = c.firstVisit;
        // "dark" measures the controller's budget: black, the light out and the GI taking each frame whole.
        stepSec = 1.0 / 60.0;
        enterAt(0.0);
        ASSERT_TRUE(runUntil("dark"));
        for (show.gi.adaptiveRays = c.budget; phase() == "dark"; show.gi.adaptiveRays = c.budget) {
            frame();
            EXPECT_TRUE(phase() != "dark" || (show.walls.forceBlack && show.walls.emissivityMul == 0.0f &&
                                              scene.lightIntensity == 0.0f && show.renderSettings.giBlend == 1.0f));
        }
        ASSERT_EQ(phase(), "ramp");
        EXPECT_TRUE(!show.walls.forceBlack && scene.lightIntensity == 1.0f && scene.maxRays == c.maxRays);
        EXPECT_FALSE(show.renderSettings.adaptiveRaysEnabled);  // the controller must not overwrite the ramp's counts
        std::vector<int> rays;
        std::vector<std::string> labels;
        int resets = 0;
        while (phase() == "ramp") {
            show.gi.giResetRequested = false;
            frame();
            rays.push_back(show.renderSettings.raysPerFrame);
            resets += show.gi.giResetRequested ? 1 : 0;
            // The newest entry, if this frame added it.
            if (!show.labels.labelLog.empty() && show.labels.labelLog.back().shown == (float)show.demoClock &&
                show.labels.labelLog.back().text != "maximum reached")
                labels.push_back(show.labels.labelLog.back().text);
        }
        // From one ray up to the maximum, where the frame that ends the ramp sits, a fresh accumulation each.
        EXPECT_TRUE(rays.front() == 1 && rays.back() == c.maxRays && std::is_sorted(rays.begin(), rays.end()));
        EXPECT_EQ(resets, c.maxRays);
        EXPECT_EQ(labels, c.labels);
        EXPECT_EQ(scene.firstRayLabel, c.firstVisit && c.labels.empty());
    }
    // The controller resumes from the measured budget; the GI converges with the default settings.
    ASSERT_TRUE(runUntil("maxed") && show.renderSettings.adaptiveRaysEnabled && show.gi.adaptiveRays == 6.0f);
    ASSERT_TRUE(runUntil("converge") && show.gi.giAccumMode == giProgressive);
    EXPECT_TRUE(show.renderSettings.giBlend == RenderSettings().giBlend &&
                show.renderSettings.raysPerFrame == RenderSettings().raysPerFrame);
    EXPECT_TRUE(runUntil("orbit") && show.labels.labelLog.empty() && runUntil(""));

    // A dark phase that ended before its first update measured nothing: a single ray.
    enterAt(0.0);
    ASSERT_TRUE(runUntil("dark"));
    advancePhase(show, scene.timeline);
    EXPECT_TRUE(scene.maxRays == 1 && show.renderSettings.raysPerFrame == 1);
}

TEST_F(CathedralScene, TurnsProgressiveOnItsSecondUpdateOnEveryVisitKeepingTheAverageHistory)
{
    show.gi.giAccumMode = giFrozen;
    for (int visit = 0; visit < 2; ++visit) {
        enterAt(2.0);
        show.gi.giAccumCount = 3;  // what the running average left behind
        for (int update = 0; update <= 3; ++update, frame())
            EXPECT_EQ(show.gi.giAccumMode, update < 2 ? giRunningAverage : giProgressive) << visit << " " << update;
        EXPECT_EQ(show.gi.giAccumCount, 3);
    }
}

TEST(EmblemImage, EmbeddedImageIsAGearOfSixteenTeethAroundARingAndAStarPointingUpWithAWindow)
{
    const std::vector<bool> image = embeddedBitmap(gear_logo_glsl, 2048);
    ASSERT_EQ(image.size(), 256u * 256u);
    // The pixel at radius r and turn t clockwise from straight up around the centre (128, 128).
    auto inkAt = [&](double r, double turn) {
        int x = (int)std::floor(128 + r * std::sin(6.283185 * turn)), y = (int)std::floor(128 - r * std::cos(6.283185 * turn));
        return (bool)image[y * 256 + x];
    };
    auto runsAround = [&](double r) {
        int runs = 0, inked = 0;
        for (int k = 0; k < 720; ++k) {
            inked += inkAt(r, k / 720.0);
            runs += inkAt(r, k / 720.0) && !inkAt(r, (k + 719) / 720.0);
        }
        return std::pair{runs, inked};
    };
    EXPECT_EQ(runsAround(110).first, 16) << "teeth";
    for (double solid : {18.0, 73.0, 95.0})  // the star's heart, the ring, the gear's body
        EXPECT_EQ(runsAround(solid).second, 720) << solid;
    for (double gap : {5.0, 64.0, 83.0, 122.0})  // the window, inside and outside the ring, beyond the teeth
        EXPECT_EQ(runsAround(gap).second, 0) << gap;
    EXPECT_EQ(runsAround(50).first, 5) << "star points";
    EXPECT_TRUE(inkAt(50, 0.0) && !inkAt(50, 0.5)) << "a point straight up, none straight down";
}

TEST_F(GearLogoScene, GlowDimsAndWallsBrightenAfterTenSecondsTheGlowCarriesOverAndTheEmblemRestsOnAWholeTurn)
{
    enterAt(100.0);
    frameAt(105.0);
    EXPECT_TRUE(scene.logoZ == 0.0f && scene.logoEmissivity == 8.0f);
    frameAt(111.5);  // halfway through the three-second ease
    EXPECT_NEAR(scene.logoEmissivity, 5.0f, 1e-5f);
    EXPECT_TRUE(std::fabs(show.walls.vwFaces[faceNegX].g - 0.45f) < 1e-6f && show.walls.vwFaces[facePosZ].g == 0);
    ASSERT_TRUE(runUntil(""));
    // The last zoom frame runs just past the phase's end: far away, halo gone but not negative.
    EXPECT_TRUE(scene.logoEmissivity == 2.0f && show.renderSettings.haloIntensity == 0.0f);
    EXPECT_NEAR(show.cameraDistance, 1000.0f, 1.0f);

    enterAt(500.0);
    frameAt(505.0);
    EXPECT_TRUE(scene.logoEmissivity == 2.0f && show.walls.vwFaces[faceNegX].g == 0.35f);
    frameAt(510.75);  // a quarter into the ease: s = 0.15625
    EXPECT_NEAR(scene.logoEmissivity, 8.0f - 6.0f * 0.15625f, 1e-5f);

    // The emblem rests on the first whole turn a frame comes within reach of after 27 s.
    stepSec = 1.0 / 60.0;
    enterAt(600.0);
    ASSERT_TRUE(runUntil("zoom_out") && scene.logoAngle == 3.0f * turn) << scene.logoAngle;
    EXPECT_NEAR(show.demoClock - 600.0, 30.0, 0.02);
    // The second turn comes too early; frames that step over the 0.01 rad window cost one more turn.
    enterAt(700.0);
    for (double t : {20.0, 29.98, 30.02, 39.98}) {
        frameAt(700.0 + t);
        EXPECT_NEAR(scene.logoAngle, 0.1f * turn * (float)t, 1e-4f) << t;
    }
    EXPECT_FALSE(scene.stopped);
    frameAt(739.995);
    frameAt(741.0);
    EXPECT_TRUE(scene.logoAngle == 4.0f * turn && phase() == "zoom_out");
}

TEST_F(MetaballsScene, IdleSpeedsUpBeatsKickAndJumpLayoutsAtMostOncePerSecondAfterTheFirstQuarterAndTheTumbleEasesIn)
{
    auto beatAt = [this](double secIntoExplore) {
        musicFrame(true);
        show.beat.cameraKick = 0.0f;
        updateAt(secIntoExplore);
    };
    std::minstd_rand savedRandom = scene.layoutRandom;
    std::vector<int> layoutsSeen[2];
    for (std::vector<int>& layouts : layoutsSeen) {  // the same beats from the same seed give the same layouts
        scene.layoutRandom = savedRandom;
        scene.lastLayoutChange = 0.0;
        show.viewLayout = 3;
        enterAt(0.0);
        EXPECT_EQ(show.viewLayout, 0);
        ASSERT_TRUE(runUntil("idle"));
        frameAt(show.demoClock + 6.5);  // half way the turn runs at half a radian per second
        EXPECT_NEAR(show.cameraYaw, orbitTurnAt(scene.orbit, 6.5f, 0.5f, 0.07f, 0.15f, 2.0f).yaw, 1e-4f);
        ASSERT_TRUE(runUntil("explore"));

        beatAt(3.4);  // p 0.243
        EXPECT_TRUE(show.beat.cameraKick == 1.0f && show.viewLayout == 0 && show.renderSettings.haloEnabled);
        beatAt(3.6);  // p 0.257
        EXPECT_EQ(show.cameraDistance, 0.86603f / std::sin(0.5235988f) * 1.1f);
        EXPECT_TRUE(!show.renderSettings.haloEnabled && show.renderSettings.bgColor[1] == 0.0f);
        for (int k = 1; 3.6 + 0.55 * k < 12.6; ++k) {
            int before = show.viewLayout;
            beatAt(3.6 + 0.55 * k);
            layouts.push_back(show.viewLayout);
            EXPECT_TRUE(show.beat.cameraKick == 1.0f && show.viewLayout >= 1 && show.viewLayout <= 5)
                << show.viewLayout;
            EXPECT_EQ(show.viewLayout != before, k % 2 == 0) << k;  // every other beat is too soon after a change
        }
        beatAt(12.7);  // p 0.907: a single view again, even on a beat
        EXPECT_TRUE(show.viewLayout == 0 && show.cameraDistance == 2.7f && show.renderSettings.haloEnabled);
        EXPECT_FLOAT_EQ(show.renderSettings.bgColor[1], 0.14901961f);
    }
    EXPECT_EQ(layoutsSeen[0], layoutsSeen[1]);

    // The tumble eases in without unwinding whole turns of its snapshot, and later forgets the snapshot.
    auto tumbleYaw = [this](float snapshotYaw, double sec) {
        scene.orbit = {snapshotYaw, 0.3f, 2.7f, 0.0};
        show.demoClock = sec;
        scene.explore(0.5f);
        return show.cameraYaw;
    };
    EXPECT_NEAR(tumbleYaw(2.0f, 1.0), tumbleYaw(2.0f + 2.0f * 6.2831855f, 1.0), 1e-4f);  // the same view half way
    EXPECT_NEAR(tumbleYaw(2.0f, 3.0), tumbleYaw(-2.5f, 3.0), 1e-5f);
}

TEST_F(FogScene, RigsTurnEveryFourSecondsUntilTheEndAtTwentyAndBeatsJumpTheCameraWithinAQuarterTurnUnderTheMoon)
{
    auto sceneFrameAt = [this](double sceneSec, bool beat = false) {
        musicFrame(beat);
        frameAt(scene.timeline.sceneStart + sceneSec);
    };
    enterAt(100.0);
    const struct { double sec; int lit; } rigs[] = {  // bit i: face i glows
        {1.0, 1 << facePosY}, {4.0, 1 << faceNegY}, {8.0, 1 << faceNegX},
        {12.0, 1 << faceNegY | 1 << facePosY}, {16.0, 0}};
    for (const auto& rig : rigs) {
        if (rig.sec > 1.0)  // the first update after the camera applies the first rig
            sceneFrameAt(rig.sec - 0.01);
        show.gi.giResetRequested = false;
        sceneFrameAt(rig.sec + 0.001);
        int lit = 0;
        for (int face = 0; face < faceCount; ++face)
            lit |= (show.walls.vwFaces[face].emissivity > 0.0f) << face;
        EXPECT_EQ(lit, rig.lit) << rig.sec;
        EXPECT_TRUE(show.gi.giResetRequested && !scene.finished) << rig.sec;
    }
    sceneFrameAt(19.99);
    EXPECT_FALSE(scene.finished);
    sceneFrameAt(20.001);
    EXPECT_TRUE(scene.finished);
    // Frames slower than a rig skip the moon, or come back to the same rig a round later; the round still ends.
    for (double frameSec : {7.0, 20.0}) {
        enterAt(100.0);
        for (double sec = 1.0; sec < 20.0; sec += frameSec)
            sceneFrameAt(sec);
        EXPECT_FALSE(scene.finished) << frameSec;
        sceneFrameAt(21.0);
        EXPECT_TRUE(scene.finished) << frameSec;
    }

    // Under the first rig a beat turns the camera by whole quarter turns, any of four.
    std::set<float> sides;
    enterAt(0.0);
    for (int i = 0; i < 20; ++i) {
        sceneFrameAt(1.0 + 0.1 * i, true);
        sides.insert(show.cameraYaw - 2.79f);
        EXPECT_NEAR(std::remainder(show.cameraYaw - 2.79f, 1.5707964f), 0.0f, 1e-5f) << i;
    }
    EXPECT_EQ(sides.size(), 4u);
    const uint32_t seed = scene.jitterSeed;

    // Coming into the moon rig from further round than 2.5 rad snaps back; from 2.4 rad it does not. Each visit
    // plays the rigs from the start, and the generator carries on across visits.
    for (float away : {-3.0f, 2.4f}) {
        enterAt(away < 0.0f ? 100.0 : 200.0);
        EXPECT_EQ(scene.jitterSeed, seed);
        sceneFrameAt(15.99);
        show.cameraYaw = 2.79f + away;
        sceneFrameAt(16.01);
        EXPECT_FLOAT_EQ(show.cameraYaw, away < 0.0f ? 2.79f : 2.79f + away);
    }
    std::set<float> offsets;
    for (int i = 0; i < 30; ++i) {
        sceneFrameAt(16.1 + 0.1 * i, true);
        offsets.insert(show.cameraYaw - 2.79f);
        EXPECT_LE(std::fabs(show.cameraYaw - 2.79f), 1.5708f) << i;
    }
    EXPECT_EQ(offsets.size(), 3u);
}

TEST_F(AmigaBall, FlashesShrinkByTheRatioOnRedPatchesOneAtATimeThenTheBallSpinsSmoothlyAndBouncesInsideTheRoom)
{
    // Each gap is 0.93 of the one before, and the room waits 1.5 s after the last flash's gap.
    for (int k = 2; k < amigaFlashCount; ++k)
        EXPECT_NEAR((amigaFlashTimes[k] - amigaFlashTimes[k - 1]) / (amigaFlashTimes[k - 1] - amigaFlashTimes[k - 2]),
                    0.93, 1e-3) << k;
    BallPatchLists lists = amigaRedPatches();
    for (auto [list, side] : {std::pair{&lists.a, 0}, {&lists.b, 1}}) {
        EXPECT_EQ(list->size(), 24u);
        for (const BallPatch& p : *list)
            EXPECT_TRUE(p.sector / 6 == side && (p.band + p.sector) % 2 == 0) << p.band << " " << p.sector;
    }

    const float bounceStart = amigaFlashEnd() + 8.0f, wall = show.renderSettings.wallThickness;
    enterAt(0.0);
    float lastRotation = 0.0f, lowest = 1.0f, highest = 0.0f;
    int lastPatch = -13;
    for (int ms = 1; !scene.finished; ++ms) {
        float t = (float)(ms / 1000.0);
        trackBeat(show.beat, t);
        show.beat.cameraKick = 0.0f;
        frameAt(ms / 1000.0);
        EXPECT_EQ(show.beat.cameraKick, show.beat.beatFlag && scene.timeline.index == 2 ? 1.0f : 0.0f) << t;

        int band = scene.flashLatBand, sector = scene.flashLonSector;
        EXPECT_TRUE((t >= 1.0f && t <= 10.6957f) || (band == -1 && sector == -1 && scene.flashEmit == 0.0f)) << t;
        if (t >= 1.0f && t < 10.6955f) {
            EXPECT_TRUE(band >= 0 && band < 8 && sector >= 0 && sector < 12 && (band + sector) % 2 == 0) << t;
            // Always glowing, except that a new flash takes over dark while the one before it is still bright.
            EXPECT_TRUE(band * 12 + sector != lastPatch ? scene.flashEmit < 0.5f : scene.flashEmit > 0.0f) << t;
        }
        lastPatch = band * 12 + sector;

        EXPECT_LT(std::fabs(scene.ballRotation - lastRotation), 0.005f) << t;
        lastRotation = scene.ballRotation;
        EXPECT_FLOAT_EQ(show.renderSettings.giBlend, t < bounceStart ? 0.3f : 0.9f) << t;
        EXPECT_TRUE(t > bounceStart || (scene.ballX == 0.5f && scene.ballY == 0.5f)) << t;
        // Full amplitude half a second in: the first touchdown, at 0.87 s, already reaches the floor.
        if (t > bounceStart + 0.5f && t < bounceStart + 1.0f)
            lowest = std::min(lowest, scene.ballY);
        highest = std::max(highest, scene.ballY);
    }
    // The ball touches down just above the floor and never reaches the ceiling.
    EXPECT_TRUE(std::fabs(lowest - (wall + 0.22f + 0.02f)) < 1e-3f && std::fabs(highest - (1 - wall - 0.27f)) < 1e-3f)
        << lowest << " " << highest;  // sampled every millisecond

    // At exactly eight seconds after the flashes the bounce begins from the room centre.
    enterAt(0.0);
    frameAt(bounceStart);
    EXPECT_TRUE(show.renderSettings.giBlend == 0.9f && scene.ballX == 0.5f && scene.ballY == 0.5f &&
                scene.ballZ == 0.5f);

    // The front wall and the ceiling stay dark through the flashes, then light up along a parabola over six
    // seconds: a quarter of the way at half time. The ceiling ends a little brighter than the front wall.
    const VWFace& front = show.walls.vwFaces[faceNegZ];
    const VWFace& ceiling = show.walls.vwFaces[facePosY];
    for (auto [afterSec, share] : {std::pair{-0.01f, 0.0f}, {1.5f, 0.0625f}, {3.0f, 0.25f}, {6.0f, 1.0f}, {9.0f, 1.0f}}) {
        frameAt(amigaFlashEnd() + afterSec);
        EXPECT_NEAR(front.emissivity, share, 1e-4f) << afterSec;
        EXPECT_NEAR(ceiling.emissivity, 1.05f * share, 1e-4f) << afterSec;
        EXPECT_TRUE(std::fabs(front.r - 0.5f * share) < 1e-4f && front.r >= front.g && front.g >= front.b) << afterSec;
    }
}

TEST_F(CloudLightning, StrikesOnEvenBeatsThenOnEveryBeatInTheLastQuarterAndMissesBeatsDuringTheTransition)
{
    show.sequence.sceneTable[8] = &scene;
    show.sequence.currentSceneIndex = 8;
    for (int visit = 0; visit < 2; ++visit) {
        double start = 50.0 * (visit + 1), orbitBegan = -1.0;
        show.demoClock = start;
        int beatsBefore = scene.beatCount, transitionBeats = 0, oddStrikes = 0;
        switchScene(show);
        EXPECT_EQ(scene.beatCount, beatsBefore);  // the counts live for the whole program
        bool lastQuarter = false;
        float yawThreeSecondsIn = 0.0f;
        for (int i = 1; !scene.finished; ++i) {
            double now = start + i / 64.0;
            int beats = scene.beatCount, strikes = scene.strikeCount;
            bool inTransition = show.sequence.cameraTransitionActive, orbitRunning = scene.timeline.index == 1;
            // One frame as the frame loop runs it: the beat first, then the sequencer's step.
            show.demoClock = now;
            trackBeat(show.beat, (float)(i / 64.0 + 0.2 * visit));
            stepSequencer(show);
            if (!orbitRunning && scene.timeline.index == 1)
                orbitBegan = now;
            if (scene.timeline.index == 1 && now - orbitBegan == 3.0)
                yawThreeSecondsIn = show.cameraYaw;
            if (!show.beat.beatFlag || inTransition) {
                transitionBeats += show.beat.beatFlag;
                EXPECT_TRUE(scene.beatCount == beats && scene.strikeCount == strikes) << now;
            } else {
                EXPECT_EQ(scene.beatCount, beats + 1);
                bool strike = lastQuarter || scene.beatCount % 2 == 0;
                EXPECT_EQ(scene.strikeCount, strikes + strike) << visit << " " << now;
                EXPECT_TRUE(!strike || scene.strikeTime == now) << now;
                oddStrikes += strike && scene.beatCount % 2 != 0;
            }
            // The rule changes from the frame after the one whose progress passed three quarters.
            lastQuarter = lastQuarter || (scene.timeline.index == 1 && (float)(now - orbitBegan) / 15.0f > 0.75f);
        }
        // The satellites are anchored where the transition left the camera, when the orbit began.
        EXPECT_TRUE(show.viewAnchor.yaw == 2.7f && show.viewAnchor.pitch == 0.4f && show.viewAnchor.time == orbitBegan);
        EXPECT_NEAR(yawThreeSecondsIn, 2.7f + 0.8f, 1e-5f);  // the standard turn from that anchor
        EXPECT_TRUE(transitionBeats > 0 && oddStrikes > 2) << visit;
    }
}
