#include "render/day_night.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

void ExpectVecNear(const glm::vec3& actual, const glm::vec3& expected, float tolerance) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}

}  // namespace

TEST(DayNightCycle, FollowsTheReferenceTableThroughOneTurn) {
    struct Reference {
        double seconds;
        glm::vec3 sunPos;
        float sunHeight;
        glm::vec3 lightColor;
        float nightFactor;
    };
    const Reference table[] = {
        {0, {129.9038f, -75.0f, 0.0f}, -0.5f, {0.5f, 0.375f, 0.325f}, 0.5f},
        {10, {150.0f, 0.0f, 0.0f}, 0.0f, {1.0f, 0.5f, 0.3f}, 0.0f},
        {40, {0.0f, 150.0f, 0.0f}, 1.0f, {1.0f, 1.0f, 1.0f}, 0.0f},
        {70, {-150.0f, 0.0f, 0.0f}, 0.0f, {1.0f, 0.5f, 0.3f}, 0.0f},
        {100, {0.0f, -150.0f, 0.0f}, -1.0f, {0.1f, 0.1f, 0.1f}, 1.0f},
        {120, {129.9038f, -75.0f, 0.0f}, -0.5f, {0.5f, 0.375f, 0.325f}, 0.5f},
    };
    DayNightCycle cycle;
    cycle.InitializeOnce(3.0);
    cycle.InitializeOnce(50.0);  // only the first frame's time counts
    for (const Reference& row : table) {
        SCOPED_TRACE(row.seconds);
        const SunState sun = cycle.Advance(3.0 + row.seconds);
        ExpectVecNear(sun.sunPos, row.sunPos, 2e-3f);
        ExpectVecNear(sun.moonPos, -row.sunPos, 2e-3f);
        EXPECT_NEAR(sun.sunHeight, row.sunHeight, 1e-5f);
        ExpectVecNear(sun.lightColor, row.lightColor, 1e-4f);
        EXPECT_NEAR(sun.nightFactor, row.nightFactor, 1e-5f);
    }
}

// Reference values from the double-precision sine and cosine of the float angle, times 150 and
// rounded to float; the single-precision functions give a different last bit at these angles.
TEST(DayNightCycle, SunPositionTakesSineAndCosineInDoublePrecision) {
    EXPECT_EQ(SunAt(-0.504225612f).sunPos, glm::vec3(131.332336f, -72.4694366f, 0.0f));
    EXPECT_EQ(SunAt(-0.349240392f).sunPos, glm::vec3(140.944931f, -51.3276215f, 0.0f));
    EXPECT_EQ(SunAt(-0.407359868f).sunPos, glm::vec3(137.725494f, -59.4279938f, 0.0f));
}

TEST(DayNightCycle, NightLightIsHeldAtATenthOfTheDayColourBelowMinusPointNine) {
    // Sun height sin(-1.2) = -0.932039: a tenth of the day colour (1, 1 - w/2, 1 - 0.7 w) with
    // w = 1 - 0.932039 = 0.0679609.
    const SunState deep = SunAt(-1.2f);
    EXPECT_NEAR(deep.sunHeight, -0.9320391f, 1e-6f);
    ExpectVecNear(deep.lightColor, glm::vec3(0.1f, 0.0966020f, 0.0952427f), 1e-6f);
    // Exactly at the horizon the colour is the pure sunset colour and there is no night.
    const SunState horizon = SunAt(0.0f);
    EXPECT_EQ(horizon.lightColor, glm::vec3(1.0f, 0.5f, 0.3f));
    EXPECT_EQ(horizon.nightFactor, 0.0f);
}

TEST(DayNightCycle, PausingFreezesTheSunAndResumingCarriesOnWithoutAJump) {
    DayNightCycle cycle;
    cycle.InitializeOnce(0.0);
    const float before = cycle.Advance(20.0).sunAngle;
    cycle.ToggleRotation(20.0);
    EXPECT_FALSE(cycle.sunRotationEnabled);
    EXPECT_EQ(cycle.Advance(35.0).sunAngle, before);

    // Resumed on the frame after t = 35 with that frame's predecessor as the new start.
    cycle.ToggleRotation(35.0);
    EXPECT_TRUE(cycle.sunRotationEnabled);
    EXPECT_EQ(cycle.dayCycleStartAngle, before);
    EXPECT_EQ(cycle.dayCycleStartTime, 35.0);
    EXPECT_NEAR(cycle.Advance(36.0).sunAngle, before + 0.05235988f, 1e-6f);

    // A restart goes back to the start angle as re-based by the resume.
    cycle.Restart(100.0);
    EXPECT_NEAR(cycle.Advance(100.0).sunAngle, before, 1e-6f);
}

TEST(DayNightCycle, DiagnosticLineEveryFiveSecondsSwitchesTheStreamToTwoDecimals) {
    DayNightCycle cycle;
    cycle.InitializeOnce(0.5);
    std::ostringstream out;
    out << 0.125 << '|';
    cycle.Advance(5.0);
    cycle.PrintDiagnostic(5.0, out);  // not more than 5 s since 0
    EXPECT_EQ(out.str(), "0.125|");

    cycle.Advance(5.5);
    cycle.PrintDiagnostic(5.5, out);
    EXPECT_EQ(out.str(), "0.125|Day/Night cycle: 4% complete, Sun height: -0.26\n");
    out << 0.125 << '|';
    EXPECT_EQ(out.str().substr(out.str().size() - 5), "0.12|") << "two decimals from now on";

    cycle.Advance(10.4);
    cycle.PrintDiagnostic(10.4, out);  // only 4.9 s later
    cycle.Advance(10.6);
    cycle.PrintDiagnostic(10.6, out);
    EXPECT_NE(out.str().find("Day/Night cycle: 8% complete, Sun height: 0.01\n"),
              std::string::npos);

    // A paused sun prints nothing, however long it waits.
    std::ostringstream paused;
    cycle.ToggleRotation(10.6);
    cycle.PrintDiagnostic(100.0, paused);
    EXPECT_EQ(paused.str(), "");
}
