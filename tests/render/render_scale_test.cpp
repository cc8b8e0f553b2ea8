#include "render/render_scale.h"

#include <gtest/gtest.h>

namespace {

// Feeds one decision's worth of frames of `seconds` each.
void Feed(RenderScaleControl& scale, double seconds) {
    for (int i = 0; i < RenderScaleControl::kFramesPerDecision; ++i) scale.AddFrameTime(seconds);
}

}  // namespace

TEST(RenderScaleControl, AMachineThatKeepsUpStaysAtFullSize) {
    RenderScaleControl scale = RenderScaleControl::Adaptive();
    EXPECT_FLOAT_EQ(scale.Current(), 1.0f);
    for (int i = 0; i < 50; ++i) Feed(scale, 1.0 / 60.0);
    EXPECT_FLOAT_EQ(scale.Current(), 1.0f);
}

TEST(RenderScaleControl, ChangesOnlyOncePerDecisionAndFromTheMedianNotASpike) {
    RenderScaleControl scale = RenderScaleControl::Adaptive();
    for (int i = 0; i < RenderScaleControl::kFramesPerDecision - 1; ++i) scale.AddFrameTime(0.2);
    EXPECT_FLOAT_EQ(scale.Current(), 1.0f) << "no decision before the window is full";
    scale.AddFrameTime(0.2);
    EXPECT_LT(scale.Current(), 1.0f);

    RenderScaleControl steady = RenderScaleControl::Adaptive();
    for (int i = 0; i < RenderScaleControl::kFramesPerDecision; ++i)
        steady.AddFrameTime(i % 4 == 0 ? 0.5 : 0.02);  // a stall every fourth frame
    EXPECT_FLOAT_EQ(steady.Current(), 1.0f);
}

TEST(RenderScaleControl, SlowFramesStepDownBoundedAndOnTheGridUntilTheMinimum) {
    RenderScaleControl scale = RenderScaleControl::Adaptive();
    Feed(scale, 0.150);  // 4.5x the target: sqrt says 0.47, but one decision drops at most 0.25
    EXPECT_NEAR(scale.Current(), 0.75f, 1e-5f);
    Feed(scale, 0.150);
    EXPECT_NEAR(scale.Current(), 0.5f, 1e-5f);
    Feed(scale, 0.150);
    EXPECT_NEAR(scale.Current(), 0.5f, 1e-5f) << "never below the minimum";

    RenderScaleControl slightly = RenderScaleControl::Adaptive();
    Feed(slightly,
         RenderScaleControl::kTargetFrameSeconds * 1.2);  // sqrt gives 0.913: snaps to 0.9
    EXPECT_NEAR(slightly.Current(), 0.9f, 1e-5f);
    RenderScaleControl barely = RenderScaleControl::Adaptive();
    Feed(barely,
         RenderScaleControl::kTargetFrameSeconds * 1.11);  // sqrt gives 0.949: still one step
    EXPECT_NEAR(barely.Current(), 0.95f, 1e-5f);
}

TEST(RenderScaleControl, FastFramesClimbOneStepPerDecisionAndNearTargetFramesHold) {
    RenderScaleControl scale = RenderScaleControl::Adaptive();
    Feed(scale, 0.150);
    Feed(scale, 0.150);
    ASSERT_NEAR(scale.Current(), 0.5f, 1e-5f);
    Feed(scale, RenderScaleControl::kTargetFrameSeconds * 0.9);  // close to the target: hold
    EXPECT_NEAR(scale.Current(), 0.5f, 1e-5f);
    Feed(scale, 0.005);
    EXPECT_NEAR(scale.Current(), 0.55f, 1e-5f);
    for (int i = 0; i < 20; ++i) Feed(scale, 0.005);
    EXPECT_FLOAT_EQ(scale.Current(), 1.0f) << "never above the window's size";
}

TEST(RenderScaleControl, AFixedScaleIgnoresFrameTimes) {
    RenderScaleControl scale = RenderScaleControl::Fixed(0.75f);
    EXPECT_FALSE(scale.IsAdaptive());
    for (int i = 0; i < 10; ++i) Feed(scale, 0.5);
    EXPECT_FLOAT_EQ(scale.Current(), 0.75f);
}

TEST(RenderScaleControl, ParsesAutoAndNumbersWithinRangeOnly) {
    ASSERT_TRUE(ParseRenderScale("auto"));
    EXPECT_TRUE(ParseRenderScale("auto")->IsAdaptive());
    ASSERT_TRUE(ParseRenderScale("1"));
    EXPECT_FLOAT_EQ(ParseRenderScale("1")->Current(), 1.0f);
    EXPECT_FALSE(ParseRenderScale("1")->IsAdaptive());
    EXPECT_FLOAT_EQ(ParseRenderScale("0.5")->Current(), 0.5f);
    EXPECT_FLOAT_EQ(ParseRenderScale("0.72")->Current(), 0.72f);
    for (const char* bad : {"", "0.4", "1.01", "2", "abc", "0.8x", "nan", "-1", "Auto"})
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
