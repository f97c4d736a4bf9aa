// tests/cpu/debugLogTests.cpp
#include <gtest/gtest.h>

#include <string>

#include "gpu/debugLog.h"

TEST(DebugLog, FormatsAndCutsLongMessagesAt4095Characters)
{
    debugLogCaptureBegin();
    debugLog("GPU: %s\n", "llvmpipe");
    EXPECT_EQ(debugLogCaptureEnd(), "GPU: llvmpipe\n");

    std::string longText(5000, 'x');
    debugLogCaptureBegin();
    debugLog("[%s]", longText.c_str());
    std::string logged = debugLogCaptureEnd();
    ASSERT_EQ(logged.size(), 4095u);
    EXPECT_EQ(logged.front(), '[');
    EXPECT_EQ(logged.back(), 'x');

    std::string exact(4095, 'y');
    debugLogCaptureBegin();
    debugLog("%s", exact.c_str());
    EXPECT_EQ(debugLogCaptureEnd(), exact);
}
