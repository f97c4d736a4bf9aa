#include <gtest/gtest.h>

#include "app/softwareRenderer.h"

TEST(SoftwareRenderer, NamesSoftwareRasterisersButNotHardwareDriversBuiltWithLlvm)
{
    EXPECT_TRUE(isSoftwareRenderer("llvmpipe (LLVM 15.0.6, 256 bits)"));
    EXPECT_TRUE(isSoftwareRenderer("Mesa Software Rasterizer"));
    EXPECT_TRUE(isSoftwareRenderer("ANGLE (Google, Vulkan 1.3.0 (SwiftShader Device (Subzero)), SwiftShader driver)"));
    EXPECT_FALSE(isSoftwareRenderer("AMD Radeon RX 6800 (radeonsi, navi21, LLVM 15.0.6, DRM 3.49, 6.1.0)"));
    EXPECT_FALSE(isSoftwareRenderer("NVIDIA GeForce RTX 3060/PCIe/SSE2"));
    EXPECT_FALSE(isSoftwareRenderer(nullptr));
}
