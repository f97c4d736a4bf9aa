#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "tools/capture/renderProgress.h"
#include "tools/capture/showFrames.h"

TEST(ShowFrames, RangeRunsFromTheFirstFrameAtItsStartToItsEndInsideTheShow)
{
    const long showFrames = 100;  // 10 s at 10 fps
    FrameRange range;
    EXPECT_EQ(rangeInShow(0.0, -1.0, 10, showFrames, range), "");
    EXPECT_EQ(range.first, 0);
    EXPECT_EQ(range.end, 100);
    EXPECT_EQ(rangeInShow(2.0, 3.0, 10, showFrames, range), "");
    EXPECT_EQ(range.end - range.first, 10);
    EXPECT_EQ(rangeInShow(0.25, 1.0, 10, showFrames, range), "");
    EXPECT_EQ(range.first, 3);
    EXPECT_EQ(rangeInShow(0.1, 10.0, 10, showFrames, range), "");
    EXPECT_EQ(range.first, 1);
    EXPECT_EQ(range.end, 100);

    EXPECT_NE(rangeInShow(0.0, 10.05, 10, showFrames, range), "");
    EXPECT_NE(rangeInShow(10.0, -1.0, 10, showFrames, range), "");
    EXPECT_NE(rangeInShow(0.31, 0.35, 10, showFrames, range), "");
}

TEST(ShowFrames, SheetTakesTheFrameAtOrAfterEachStepOnAGridCloseTo16By9)
{
    EXPECT_EQ(sheetFrames({20, 30}, 2.0, 0.25, 10), (std::vector<long>{20, 23, 25, 28}));
    EXPECT_EQ(sheetFrames({0, 100}, 0.0, 5.0, 10), (std::vector<long>{0, 50}));

    auto grid = [](int tiles, int width, int height) {
        SheetGrid laid = sheetGrid(tiles, width, height);
        return std::pair(laid.columns, laid.rows);
    };
    EXPECT_EQ(grid(1, 480, 270), std::pair(1, 1));
    EXPECT_EQ(grid(4, 480, 270), std::pair(2, 2));
    EXPECT_EQ(grid(20, 240, 136), std::pair(5, 4));
    EXPECT_EQ(grid(3, 100, 400), std::pair(3, 1));
}

TEST(RenderProgress, ShowsRateAndTimeLeftAndLogsAboutEveryFivePercent)
{
    // The numbers a viewer reads, wherever the wording puts them: share done, rate and time left.
    auto shows = [](const std::string& text, const char* part) { return text.find(part) != std::string::npos; };
    const std::string quarter = progressText(150, 600, "cornell", 50.0);
    EXPECT_TRUE(shows(quarter, "150/600") && shows(quarter, "25%") && shows(quarter, "cornell") &&
                shows(quarter, "3.00 fps") && shows(quarter, "2:30 left")) << quarter;
    EXPECT_TRUE(shows(progressText(1, 7201, "intro", 1.0), "2:00:00 left"));
    EXPECT_FALSE(shows(progressText(0, 600, nullptr, 0.0), "left")) << "no rate before the first frame";
    for (long total : {1000L, 7L}) {
        int lines = 0;
        for (long done = 1; done <= total; ++done)
            lines += progressStepDue(done, total);
        EXPECT_EQ(lines, total < 20 ? total : 20) << total;
        EXPECT_TRUE(progressStepDue(total, total));
    }
}
