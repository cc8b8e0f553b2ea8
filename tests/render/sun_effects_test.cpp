// The maths behind shadows, stars and the lens flare.
#include <gtest/gtest.h>

#include <cmath>

#include "render/lens_flare.h"
#include "render/shadow_map.h"
#include "render/star_field.h"

TEST(LightSpaceMatrix, LooksFromTheSunOverAHundredUnitSquare) {
    // Overhead: straight down, the map's up is +z, depth runs from 149 above to 50 below.
    const glm::mat4 overhead = LightSpaceMatrix(glm::vec3(0.0f, 150.0f, 0.0f));
    const glm::vec4 centre = overhead * glm::vec4(0.0f, 0.0f, 0.0f, 1.0f);
    EXPECT_NEAR(centre.x, 0.0f, 1e-5f);
    EXPECT_NEAR(centre.y, 0.0f, 1e-5f);
    const glm::vec4 corner = overhead * glm::vec4(50.0f, 0.0f, 50.0f, 1.0f);
    EXPECT_NEAR(std::abs(corner.x), 1.0f, 1e-5f);
    EXPECT_NEAR(corner.y, 1.0f, 1e-5f);
    EXPECT_NEAR((overhead * glm::vec4(0.0f, 149.0f, 0.0f, 1.0f)).z, -1.0f, 1e-4f);
    EXPECT_NEAR((overhead * glm::vec4(0.0f, -50.0f, 0.0f, 1.0f)).z, 1.0f, 1e-4f);
    // Higher points are nearer the sun.
    EXPECT_LT((overhead * glm::vec4(3.0f, 10.0f, 3.0f, 1.0f)).z,
              (overhead * glm::vec4(3.0f, 0.0f, 3.0f, 1.0f)).z);

    // At the horizon the light looks along -x.
    const glm::mat4 rising = LightSpaceMatrix(glm::vec3(150.0f, 0.0f, 0.0f));
    EXPECT_LT((rising * glm::vec4(10.0f, 0.0f, 0.0f, 1.0f)).z,
              (rising * glm::vec4(-10.0f, 0.0f, 0.0f, 1.0f)).z);

    // At midnight it looks straight up from below: +x and +z span the map, and the depth runs
    // from 149 below the origin to 50 above, so lower points are nearer.
    const glm::mat4 night = LightSpaceMatrix(glm::vec3(0.0f, -150.0f, 0.0f));
    const glm::vec4 nightCorner = night * glm::vec4(50.0f, 0.0f, 50.0f, 1.0f);
    EXPECT_NEAR(nightCorner.x, 1.0f, 1e-5f);
    EXPECT_NEAR(nightCorner.y, 1.0f, 1e-5f);
    EXPECT_NEAR((night * glm::vec4(0.0f, -149.0f, 0.0f, 1.0f)).z, -1.0f, 1e-4f);
    EXPECT_NEAR((night * glm::vec4(0.0f, 50.0f, 0.0f, 1.0f)).z, 1.0f, 1e-4f);
}

TEST(StarField, ReproducesTheSeededFieldOnTheUpperHemisphere) {
    StarRandom random(12345);
    // The first outputs of the runtime generator for this seed.
    EXPECT_EQ(random.Next(), 7584);
    EXPECT_EQ(random.Next(), 19164);

    const std::vector<glm::vec3> stars = StarPositions();
    ASSERT_EQ(stars.size(), 485u);
    for (const glm::vec3& star : stars) {
        EXPECT_NEAR(glm::length(star), 400.0f, 0.01f);
        EXPECT_GE(star.y, 1.5f);
    }
    // Worked out by hand from the draws: x takes cos(phi), z sin(phi).
    EXPECT_EQ(stars[0], glm::vec3(-228.985367f, 298.834351f, -135.143417f));  // draws 7584, 19164
    EXPECT_EQ(stars[1], glm::vec3(-47.1872063f, 339.163239f, -206.740585f));  // attempt 2
    EXPECT_EQ(stars[484], glm::vec3(0.172283262f, 399.986725f, 3.2552166f));  // attempt 998
}

TEST(StarField, TheStarLineComesEverySixtiethFrameOnlyWhileTheNightIsDeeperThanATenth) {
    for (int frame = 1; frame < 60; ++frame) EXPECT_FALSE(StarLineDue(frame, 1.0f)) << frame;
    EXPECT_TRUE(StarLineDue(60, 1.0f));
    EXPECT_FALSE(StarLineDue(61, 1.0f));
    EXPECT_TRUE(StarLineDue(120, 0.11f));
    EXPECT_FALSE(StarLineDue(120, 0.1f)) << "strictly deeper than a tenth";
    EXPECT_FALSE(StarLineDue(180, 0.0f));
}

TEST(LensFlare, VisibilityFadesAtTheEdgeDimsAtTheCentreAndRisesWithTheSun) {
    EXPECT_FLOAT_EQ(FlareVisibility(glm::vec2(0.0f), 0.5f), 1.0f);
    // From 0.3 out the centre factor is a half; the edge factor falls towards 1.5: a third of
    // the way there it is 1 - smoothstep(1/3) = 1 - 7/27.
    EXPECT_NEAR(FlareVisibility(glm::vec2(0.5f, 0.0f), 1.0f), 0.5f * 20.0f / 27.0f, 1e-6f);
    EXPECT_NEAR(FlareVisibility(glm::vec2(0.0f), 0.1f), 0.5f, 1e-6f);  // half risen
    EXPECT_EQ(FlareVisibility(glm::vec2(0.0f), 0.0f), 0.0f);
    EXPECT_EQ(FlareVisibility(glm::vec2(0.0f), -0.3f), 0.0f);
    EXPECT_EQ(FlareVisibility(glm::vec2(1.49f, 0.0f), 1.0f), 0.0f);  // too faint to draw

    // Elements past the centre land on the far side.
    const glm::vec2 ninth = FlareScreenPosition(glm::vec2(0.5f, 0.2f), FlareElements()[9].offset);
    EXPECT_NEAR(ninth.x, -0.4f, 1e-6f);
    EXPECT_NEAR(ninth.y, -0.16f, 1e-6f);
}

TEST(LensFlare, SunBehindTheCameraOrFarOffScreenIsNeverTested) {
    const glm::mat4 lookingDownMinusZ =
        glm::mat4(1.0f);  // clip = world: w = 1, so only the x/y limits apply
    EXPECT_FALSE(ProjectSun(lookingDownMinusZ, glm::vec3(1.6f, 0.0f, 0.0f), 1920, 1080));
    EXPECT_FALSE(ProjectSun(lookingDownMinusZ, glm::vec3(0.0f, -1.5f, 0.0f), 1920, 1080));
    glm::mat4 behind(1.0f);
    behind[3][3] = -1.0f;  // w < 0
    EXPECT_FALSE(ProjectSun(behind, glm::vec3(0.0f), 1920, 1080));

    const auto inside = ProjectSun(lookingDownMinusZ, glm::vec3(0.5f, 0.2f, 0.0f), 1920, 1080);
    ASSERT_TRUE(inside);
    EXPECT_EQ(inside->readPixel, glm::ivec2(1440, 648));
    EXPECT_FLOAT_EQ(inside->depth, 0.5f);
    // Just outside the picture the read moves to the nearest edge pixel.
    const auto outside = ProjectSun(lookingDownMinusZ, glm::vec3(1.2f, -1.3f, 0.0f), 1920, 1080);
    ASSERT_TRUE(outside);
    EXPECT_EQ(outside->readPixel, glm::ivec2(1919, 0));
}
