#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "tools/capture/renderProgress.h"
#include "tools/capture/showFrames.h"

TEST(ShowFrames, RangeRunsFromTheFirstFrameAtItsStartToItsEndInsideTheShow)
{
    // A 100-frame show at 10 fps: from, to (negative: the show's end), frames [first, end), or refused (first -1).
    const struct { double fromSec, toSec; long first, end; } cases[] = {
        {0.0, -1.0, 0, 100}, {2.0, 3.0, 20, 30}, {0.25, 1.0, 3, 10}, {0.1, 10.0, 1, 100},
        {0.0, 10.05, -1, 0}, {10.0, -1.0, -1, 0}, {0.31, 0.35, -1, 0}};
    for (const auto& c : cases) {
        FrameRange range;
        const std::string message = rangeInShow(c.fromSec, c.toSec, 10, 100, range);
        EXPECT_TRUE(c.first < 0 ? !message.empty() : message.empty() && range.first == c.first && range.end == c.end)
            << c.fromSec << " to " << c.toSec << ": " << message << range.first << " " << range.end;
    }
}

TEST(ShowFrames, SheetTakesTheFrameAtOrAfterEachStepOnAGridCloseTo16By9)
{
    EXPECT_EQ(sheetFrames({20, 30}, 2.0, 0.25, 10), (std::vector<long>{20, 23, 25, 28}));
    EXPECT_EQ(sheetFrames({0, 100}, 0.0, 5.0, 10), (std::vector<long>{0, 50}));

    // Tiles, tile width and height, and the columns and rows they are laid out in.
    for (auto [tiles, width, height, columns, rows] : {std::array{1, 480, 270, 1, 1}, {4, 480, 270, 2, 2},
                                                      {20, 240, 136, 5, 4}, {3, 100, 400, 3, 1}}) {
        SheetGrid laid = sheetGrid(tiles, width, height);
        EXPECT_TRUE(laid.columns == columns && laid.rows == rows) << tiles << " tiles of " << width << "x" << height;
    }
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
