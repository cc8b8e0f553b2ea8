#include "render/firefly_flight.h"

#include <gtest/gtest.h>

#include "sequence/shot_tables.h"

namespace {

glm::vec3 Position(const glm::mat4& model) {
    return glm::vec3(model[3]);
}
// The model flies along its +Y axis.
glm::vec3 Forward(const glm::mat4& model) {
    return glm::normalize(glm::vec3(model[1]));
}

}  // namespace

TEST(FireflyFlight, HoversByTheWellFacingMinusZForItsFirst75Seconds) {
    const std::vector<PathShot> path = MakeFireflyPath();
    FireflyFlight firefly(path, 10.0f);
    const glm::vec3 hover(-3.60725f, 1.38718f, -14.0856f);
    for (float t = 10.0f; t < 84.9f; t += 0.7f) {
        const glm::mat4 model = firefly.Update(t, 0.7f);
        EXPECT_LE(glm::length(Position(model) - hover), 0.0133f) << t;
        EXPECT_NEAR(glm::length(Forward(model) - glm::vec3(0.0f, 0.0f, -1.0f)), 0.0f, 1e-5f);
        EXPECT_NEAR(glm::length(glm::vec3(model[0])), 0.06f, 1e-6f) << "scaled to size in flight";
    }
    EXPECT_EQ(firefly.pathIndex, 0);
}

// At the start of a leg the firefly is at the leg's start plus the wobble alone. References from
// the double-precision sine and cosine; the single-precision ones move one axis by a last bit.
TEST(FireflyFlight, WobbleTakesSineAndCosineInDoublePrecision) {
    const std::vector<PathShot> path = MakeFireflyPath();
    const auto at = [&](float now) { return Position(FireflyFlight(path, now).Update(now, 0.0f)); };
    EXPECT_EQ(at(11.597f), glm::vec3(-3.61644721f, 1.39417005f, -14.0815802f));
    EXPECT_EQ(at(12.196f), glm::vec3(-3.60059905f, 1.39131391f, -14.0807781f));
    EXPECT_EQ(at(17.076f), glm::vec3(-3.6171999f, 1.39417744f, -14.0888529f));
}

TEST(FireflyFlight, ALegEndsOnItsEndPointAndTheHeadingTurnsSmoothlyIntoTheNext) {
    const std::vector<PathShot> path = MakeFireflyPath();
    FireflyFlight firefly(path, 0.0f);
    firefly.Update(0.0f, 0.0f);
    firefly.Update(75.0f, 0.016f);  // u exactly 1: end of leg 0, on to the rise
    EXPECT_EQ(firefly.pathIndex, 1);
    EXPECT_EQ(firefly.pathStartTime, 75.0f);
    // The rise ends on its end point, give or take the wobble, and keeps the heading.
    EXPECT_LE(glm::length(Position(firefly.Update(85.0f, 0.016f)) - path[1].endPos), 0.0133f);
    EXPECT_EQ(firefly.fireflyHeading, glm::vec3(0.0f, 0.0f, -1.0f));
    EXPECT_EQ(firefly.pathIndex, 2);

    // Leg 2 heads mostly +z: one short frame turns the heading only a little towards it, by its
    // own time step (the frame loop passes the film time played instead only in a frame in
    // which the film was paused or moved).
    const glm::mat4 turning = firefly.Update(85.1f, 0.1f);
    const glm::vec3 target = firefly.fireflyTargetHeading;
    EXPECT_GT(target.z, 0.99f);
    EXPECT_LT(Forward(turning).z, 0.0f) << "a quarter of the way from -z to +z in 0.1 s";
    const glm::vec3 quarter = glm::normalize(0.25f * target + glm::vec3(0.0f, 0.0f, -0.75f));
    EXPECT_NEAR(glm::length(Forward(turning) - quarter), 0.0f, 1e-5f);
    // A frame longer than 0.4 s overshoots before normalising, and still gives a unit heading.
    firefly.Update(86.0f, 0.9f);
    EXPECT_NEAR(glm::length(firefly.fireflyHeading), 1.0f, 1e-6f);
    EXPECT_NEAR(Forward(firefly.Update(86.0f, 0.0f)).y, 0.0f, 1e-6f) << "it only turns about y";
}

TEST(FireflyFlight, AfterTheLastLegItJumpsBackToTheWellFacingTheLastDirection) {
    const std::vector<PathShot> path = MakeFireflyPath();
    FireflyFlight firefly(path, 0.0f);
    float now = 0.0f;
    for (const PathShot& leg : path) {
        now += leg.duration;
        firefly.Update(now, 0.016f);
    }
    EXPECT_EQ(firefly.pathIndex, 0);
    const glm::mat4 back = firefly.Update(now + 1.0f, 0.016f);
    EXPECT_LE(glm::length(Position(back) - path[0].startPos), 0.0133f);
    const glm::vec3 lastLeg = glm::normalize(glm::vec3(path[6].endPos.x - path[6].startPos.x, 0.0f,
                                                       path[6].endPos.z - path[6].startPos.z));
    EXPECT_NEAR(glm::length(Forward(back) - lastLeg), 0.0f, 1e-5f);
}
