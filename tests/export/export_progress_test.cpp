#include "export/export_progress.h"

#include <gtest/gtest.h>

#include <sstream>

TEST(ExportProgress, LineShowsPercentFramesFilmTimeRenderingRateAndTimeLeft) {
    EXPECT_EQ(ProgressLine({1260, 3000, 61.0, 252.0}),
              " 42%  1260/3000 frames  film 61.00 s  5.0 fps  5:48 left");
    // Before the first frame has taken any time nothing can be foreseen.
    EXPECT_EQ(ProgressLine({0, 60, 40.0, 0.0}),
              "  0%  0/60 frames  film 40.00 s  0.0 fps  -:-- left");
    EXPECT_EQ(ProgressLine({60, 60, 41.97, 30.0}).substr(0, 4), "100%");
    EXPECT_EQ(ClockDuration(59.6), "1:00");
    EXPECT_EQ(ClockDuration(3723.0), "1:02:03");
}

TEST(ExportProgress, OnATerminalOneLineIsRewrittenAFewTimesASecondAndClosedAtTheEnd) {
    std::ostringstream out;
    ExportProgress progress(out, true);
    progress.Report({1, 100, 0.0, 0.1});
    progress.Report({2, 100, 0.1, 0.2});  // too soon after the last rewrite
    progress.Report({3, 100, 0.2, 0.4});
    progress.Report({100, 100, 9.9, 0.41});  // the last frame always shows
    progress.Close();
    const std::string text = out.str();
    EXPECT_EQ(std::count(text.begin(), text.end(), '\r'), 3);
    EXPECT_EQ(text.find("2/100"), std::string::npos);
    EXPECT_NE(text.find("\r100%"), std::string::npos);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 1);
    EXPECT_EQ(text.back(), '\n');
}

TEST(ExportProgress, ElsewhereAPlainLineEveryFivePercent) {
    std::ostringstream out;
    ExportProgress progress(out, false);
    for (int frame = 1; frame <= 200; ++frame)
        progress.Report({frame, 200, frame / 60.0, frame * 0.1});
    progress.Close();
    const std::string text = out.str();
    EXPECT_EQ(text.find('\r'), std::string::npos);
    // 0%, 5%, ..., 100%.
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 21);
    EXPECT_NE(text.find(" 45%  90/200 frames"), std::string::npos);
}
