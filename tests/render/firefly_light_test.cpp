#include "render/firefly_light.h"

#include <gtest/gtest.h>

#include <glm/gtc/matrix_transform.hpp>

TEST(FireflyLight, SitsOnTheFireflyAndShinesOnlyAfterSunset) {
    const glm::mat4 model =
        glm::scale(glm::rotate(glm::translate(glm::mat4(1.0f), glm::vec3(-3.6f, 1.4f, -14.1f)),
                               0.7f, glm::vec3(0.0f, 1.0f, 0.0f)),
                   glm::vec3(0.06f));
    const glm::vec4 night = FireflyLight(model, -0.8f, 10.0f);
    EXPECT_FLOAT_EQ(night.x, -3.6f);
    EXPECT_FLOAT_EQ(night.y, 1.4f);
    EXPECT_FLOAT_EQ(night.z, -14.1f);
    EXPECT_FLOAT_EQ(night.w, FireflyPulse(10.0f));

    for (const float height : {1.0f, 0.3f, 0.0f})
        EXPECT_EQ(FireflyLight(model, height, 3.0f).w, 0.0f);
    // Dusk: it grows in steadily as the sun sinks.
    float previous = 0.0f;
    for (float height = -0.02f; height >= -0.2f; height -= 0.02f) {
        const float strength = FireflyLight(model, height, 0.0f).w / FireflyPulse(0.0f);
        EXPECT_GT(strength, previous) << height;
        previous = strength;
    }
    EXPECT_FLOAT_EQ(previous, 1.0f);
}

TEST(FireflyLight, PulsesSmoothlyWithinItsBounds) {
    float lowest = 2.0f, highest = 0.0f;
    for (float t = 0.0f; t < 60.0f; t += 0.01f) {
        const float pulse = FireflyPulse(t);
        lowest = std::min(lowest, pulse);
        highest = std::max(highest, pulse);
        // No flicker: at most a few percent change in a hundredth of a second.
        EXPECT_LT(std::abs(FireflyPulse(t + 0.01f) - pulse), 0.01f) << t;
    }
    EXPECT_GE(lowest, 0.75f);
    EXPECT_LE(highest, 1.0f);
    EXPECT_LT(lowest, 0.8f) << "a visible pulse";
    EXPECT_GT(highest, 0.95f);
}
