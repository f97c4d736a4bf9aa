// tests/gl/cloudAmigaFillTests.cpp
// The lightning bolt's glow over its 0.4 s life, and the Amiga ball's centre voxel, read back from small volumes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "glTestContext.h"
#include "gpu/constants.h"
#include "scenes/sceneAmigaBall.h"
#include "scenes/sceneCloudLightning.h"
#include "sequencer/demoClock.h"
#include "volumeTestSupport.h"

TEST(CloudAmigaFill, TheBoltGlowsSixteenAtTheStrikeFadesQuadraticallyAndIsGoneAfterFourTenths)
{
    setDemoClock(0.0);
    cSceneCloudLightning cloud;  // -999 is the time of no strike yet
    cloud.fillProgram = prepareFill("fillCloudLightning", 32);
    ASSERT_NE(cloud.fillProgram, 0u);
    uploadConstants();
    for (auto [strikeTime, peak] : {std::pair{-999.0, 0.0f}, {0.0, 16.0f}, {-0.2, 4.0f}, {-0.4, 0.0f}}) {
        cloud.strikeTime = strikeTime;
        cloud.fill(32);
        std::vector<float> emissRough = readVolume().emissRough;
        float brightest = 0.0f;
        for (size_t i = 0; i < emissRough.size(); i += 2)
            brightest = std::max(brightest, emissRough[i]);
        // The voxel nearest the bolt's line lies within half a voxel diagonal of it.
        EXPECT_TRUE(brightest <= peak * 1.001f && brightest >= peak * 0.9f) << strikeTime << ": " << brightest;
    }
    EXPECT_TRUE(takeGlErrors().empty());
}

TEST(CloudAmigaFill, TheVoxelAtTheBallCentreTakesTheEquatorPatchAtLongitudeZero)
{
    constexpr int size = 33;  // odd, so the middle voxel's centre is the ball's centre
    cSceneAmigaBall amiga;  // centred and not spinning; patch (4, 0) flashes
    amiga.fillProgram = prepareFill("fillAmigaBall", size);
    ASSERT_NE(amiga.fillProgram, 0u);
    uploadConstants();
    amiga.flashLatBand = 4;
    amiga.flashLonSector = 0;
    amiga.flashEmit = 40.0f;
    amiga.fill(size);
    Voxel centre = readVolume().at(16, 16, 16);
    EXPECT_TRUE(std::abs(centre.r - 0.9f) < 1e-3f && std::abs(centre.g - 0.08f) < 1e-3f) << centre.r << centre.g;
    EXPECT_NEAR(centre.emissivity, 40.0f, 0.05f);
    EXPECT_TRUE(takeGlErrors().empty());
}
