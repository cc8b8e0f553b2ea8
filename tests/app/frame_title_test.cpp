#include "app/frame_title.h"

#include <gtest/gtest.h>

TEST(FrameTitle, FormatsTruncatedFramesPerSecondAndTwoDecimalMilliseconds) {
    EXPECT_EQ(FormatFrameTitle(1.0, 60), "Lumenvale 60 FPS | 16.67 ms");
    // 59.9 frames per second is shown as 59, never rounded up.
    EXPECT_EQ(FormatFrameTitle(1.0 / 59.9, 1), "Lumenvale 59 FPS | 16.69 ms");
    // Whole milliseconds still carry two decimals.
    EXPECT_EQ(FormatFrameTitle(0.016, 1), "Lumenvale 62 FPS | 16.00 ms");
    EXPECT_EQ(FormatFrameTitle(2.5, 1), "Lumenvale 0 FPS | 2500.00 ms");
}

TEST(FrameTitle, FirstFrameAlwaysUpdatesWithTheWholeStartUpAsItsInterval) {
    FrameTitle title;
    EXPECT_EQ(title.Tick(2.0).value_or(""), "Lumenvale 0 FPS | 2000.00 ms");
}

TEST(FrameTitle, UpdatesAtMostEveryTenthOfASecondCountingTheFramesBetween) {
    FrameTitle title;
    ASSERT_TRUE(title.Tick(1.0));
    EXPECT_FALSE(title.Tick(1.03));
    EXPECT_FALSE(title.Tick(1.06));
    EXPECT_FALSE(title.Tick(1.0999));
    // Exactly 0.1 s after the last update (the boundary is inclusive), four frames counted.
    const auto text = title.Tick(1.1);
    ASSERT_TRUE(text);
    EXPECT_EQ(*text, "Lumenvale 39 FPS | 25.00 ms");
    EXPECT_FALSE(title.Tick(1.15));
}
