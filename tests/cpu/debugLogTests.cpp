// tests/cpu/debugLogTests.cpp
// The debug log formats its message and cuts a long one to the 4095 characters that fit its buffer.
#include <gtest/gtest.h>

#include <string>

#include "gpu/debugLog.h"

TEST(DebugLog, FormatsAndCutsLongMessagesAt4095Characters)
{
    const std::string longText(5000, 'x'), exact(4095, 'y');
    debugLogCaptureBegin();
    debugLog("GPU: %s\n", "llvmpipe");
    EXPECT_EQ(debugLogCaptureEnd(), "GPU: llvmpipe\n");
    debugLogCaptureBegin();
    debugLog("[%s]", longText.c_str());
    const std::string cut = debugLogCaptureEnd();
    EXPECT_TRUE(cut.size() == 4095 && cut[0] == '[' && cut.find_first_not_of('x', 1) == std::string::npos);
    debugLogCaptureBegin();
    debugLog("%s", exact.c_str());
    EXPECT_EQ(debugLogCaptureEnd(), exact);
}
