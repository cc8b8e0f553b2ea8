#include "render/render_scale.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr double kTarget = RenderScaleControl::kTargetFrameSeconds;

// A machine whose frame costs `fixed` seconds plus `perArea` times the picture's share of the
// window's area.
struct Machine {
    double fixed;
    double perArea;
    double Frame(float scale) const { return fixed + perArea * scale * scale; }
};

// Plays frames on `machine` for `seconds` of frame time; returns the scale reached.
float Play(RenderScaleControl& scale, const Machine& machine, double seconds) {
    for (double spent = 0.0; spent < seconds;) {
        const double frame = machine.Frame(scale.Current());
        scale.AddFrameTime(frame);
        spent += frame;
    }
    return scale.Current();
}

}  // namespace

TEST(RenderScaleControl, AMachineThatKeepsUpStaysAtFullSize) {
    RenderScaleControl scale = RenderScaleControl::Adaptive();
    EXPECT_FLOAT_EQ(scale.Current(), 1.0f);
    EXPECT_FLOAT_EQ(Play(scale, {0.002, 0.014}, 20.0), 1.0f);
}

TEST(RenderScaleControl, DecidesOnTheMedianOfAFewFramesNotOnASpike) {
    RenderScaleControl scale = RenderScaleControl::Adaptive();
    for (int i = 0; i < RenderScaleControl::kMinimumFramesPerDecision - 1; ++i)
        scale.AddFrameTime(0.3);
    EXPECT_FLOAT_EQ(scale.Current(), 1.0f) << "no decision on fewer frames";
    scale.AddFrameTime(0.3);
    EXPECT_LT(scale.Current(), 1.0f);

    RenderScaleControl steady = RenderScaleControl::Adaptive();
    for (int i = 0; i < RenderScaleControl::kFramesPerDecision; ++i)
        steady.AddFrameTime(i % 4 == 0 ? 0.5 : 0.02);  // a stall every fourth frame
    EXPECT_FLOAT_EQ(steady.Current(), 1.0f);
}

// Slow machines, from full size at the first frame: within two seconds of frame time the scale
// is where the frames take about the target (or at the minimum when the fixed part alone is
// too slow), and it stays there.
TEST(RenderScaleControl, ReachesTheRightScaleWithinTwoSeconds) {
    const struct {
        const char* name;
        Machine machine;
        float expected;
    } rows[] = {
        {"all of the frame goes with the area", {0.0, 0.150}, 0.45f},
        {"a fixed part besides", {0.010, 0.100}, 0.5f},
        {"barely slow", {0.0, kTarget * 1.25}, 0.9f},
        {"the fixed part alone misses the target", {0.040, 0.200}, RenderScaleControl::kMinimum},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        RenderScaleControl scale = RenderScaleControl::Adaptive();
        EXPECT_NEAR(Play(scale, row.machine, 2.0), row.expected, 1e-5f);
        EXPECT_NEAR(Play(scale, row.machine, 20.0), row.expected, 1e-5f) << "and stays";
        if (row.expected > RenderScaleControl::kMinimum) {
            EXPECT_LE(row.machine.Frame(scale.Current()), kTarget * 1.1);
        }
    }
}

// A heavy shot after a light one and back: the scale follows within two seconds each way and
// never leaves the grid or the range.
TEST(RenderScaleControl, FollowsAHeavyShotWithinTwoSecondsEitherWay) {
    const Machine light{0.005, 0.080};
    const Machine heavy{0.005, 0.200};
    RenderScaleControl scale = RenderScaleControl::Adaptive();
    const float settled = Play(scale, light, 5.0);
    EXPECT_NEAR(settled, 0.6f, 1e-5f);
    // 0.4 would still take 1.11 times the target.
    EXPECT_NEAR(Play(scale, heavy, 2.0), 0.35f, 1e-5f);
    // Coming up it aims below the target: two steps short of where it came down from, where
    // its frames take three quarters of the target.
    const float back = Play(scale, light, 2.0);
    EXPECT_NEAR(back, settled - 0.1f, 1e-5f);
    EXPECT_GT(light.Frame(back), kTarget * 0.6);
    const float grid = scale.Current() / 0.05f;
    EXPECT_NEAR(grid, std::round(grid), 1e-4f);
    EXPECT_FLOAT_EQ(Play(scale, {0.0, 0.001}, 10.0), 1.0f) << "never above the window's size";
}

TEST(RenderScaleControl, AFixedScaleIgnoresFrameTimes) {
    RenderScaleControl scale = RenderScaleControl::Fixed(0.75f);
    EXPECT_FALSE(scale.IsAdaptive());
    EXPECT_FLOAT_EQ(Play(scale, {0.0, 0.5}, 5.0), 0.75f);
}

TEST(RenderScaleControl, ParsesAutoAndNumbersWithinRangeOnly) {
    ASSERT_TRUE(ParseRenderScale("auto"));
    EXPECT_TRUE(ParseRenderScale("auto")->IsAdaptive());
    ASSERT_TRUE(ParseRenderScale("1"));
    EXPECT_FLOAT_EQ(ParseRenderScale("1")->Current(), 1.0f);
    EXPECT_FALSE(ParseRenderScale("1")->IsAdaptive());
    EXPECT_FLOAT_EQ(ParseRenderScale("0.5")->Current(), 0.5f);
    EXPECT_FLOAT_EQ(ParseRenderScale("0.72")->Current(), 0.72f);
    for (const char* bad : {"", "0.3", "1.01", "2", "abc", "0.8x", "nan", "-1", "Auto"})
        EXPECT_FALSE(ParseRenderScale(bad)) << '"' << bad << '"';
}

TEST(RenderScaleControl, ScaledSizeRoundsAndNeverVanishes) {
    const PictureSize full = ScaledSize(1920, 1080, 1.0f);
    EXPECT_EQ(full.width, 1920);
    EXPECT_EQ(full.height, 1080);
    const PictureSize half = ScaledSize(1920, 1080, 0.5f);
    EXPECT_EQ(half.width, 960);
    EXPECT_EQ(half.height, 540);
    const PictureSize odd = ScaledSize(1920, 1080, 0.55f);
    EXPECT_EQ(odd.width, 1056);
    EXPECT_EQ(odd.height, 594);
    EXPECT_EQ(ScaledSize(1, 1, 0.0f).width, 1);
}
