#include "gfx/camera.h"

#include <gtest/gtest.h>

#include <cmath>
#include <glm/gtc/matrix_transform.hpp>
#include <sstream>

#include "support/gl_context.h"

namespace {

void ExpectNear(const glm::vec3& actual, const glm::vec3& expected, float tolerance = 1e-4f) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}

}  // namespace

TEST(Camera, NewCameraGivesTheStandardSixteenByNinePerspectiveLookingDownMinusZ) {
    Camera camera(1920, 1080, glm::vec3(0.0f));
    camera.updateMatrix(45.0f, 0.1f, 2000.0f);
    // The view is the identity; the projection, worked by hand: f = 1 / tan(22.5°) = 2.4142136,
    // x scaled by f / (16/9), depth -(2000 + 0.1) / (2000 - 0.1) and -2 · 2000 · 0.1 / 1999.9.
    glm::mat4 expected(0.0f);
    expected[0][0] = 1.3579951f;
    expected[1][1] = 2.4142136f;
    expected[2][2] = -1.0001000f;
    expected[2][3] = -1.0f;
    expected[3][2] = -0.2000100f;
    for (int column = 0; column < 4; ++column) {
        for (int row = 0; row < 4; ++row) {
            EXPECT_NEAR(camera.cameraMatrix[column][row], expected[column][row], 1e-5f);
        }
    }
    // A point straight ahead lands in the centre of the picture.
    const glm::vec4 clip = camera.cameraMatrix * glm::vec4(0.0f, 0.0f, -10.0f, 1.0f);
    EXPECT_NEAR(clip.x / clip.w, 0.0f, 1e-6f);
    EXPECT_NEAR(clip.y / clip.w, 0.0f, 1e-6f);
}

TEST(Camera, MovesTenUnitsPerSecondAlongTheFullViewAndOppositeKeysCancel) {
    Camera camera(1920, 1080, glm::vec3(0.0f, 0.0f, 2.0f));
    MovementKeys forward;
    forward.forward = true;
    camera.Move(forward, 1.0f);
    ExpectNear(camera.position, glm::vec3(0.0f, 0.0f, -8.0f));

    MovementKeys both;
    both.forward = both.backward = true;
    both.left = both.right = true;
    both.rise = both.sink = true;
    camera.Move(both, 0.5f);
    ExpectNear(camera.position, glm::vec3(0.0f, 0.0f, -8.0f));

    MovementKeys strafeAndRise;
    strafeAndRise.right = true;
    strafeAndRise.rise = true;
    camera.Move(strafeAndRise, 0.25f);
    ExpectNear(camera.position, glm::vec3(2.5f, 2.5f, -8.0f));

    // Pitch is part of the movement: looking down, W descends.
    camera.orientation = glm::normalize(glm::vec3(0.0f, -1.0f, -1.0f));
    camera.Move(forward, 1.0f);
    ExpectNear(camera.position,
               glm::vec3(2.5f, 2.5f - 10.0f / std::sqrt(2.0f), -8.0f - 10.0f / std::sqrt(2.0f)));
}

TEST(Camera, MouseLookTurnsFromTheCentreAndStopsFiveDegreesShortOfStraightUp) {
    Camera camera(1920, 1080, glm::vec3(0.0f));
    // The cursor at the centre turns nothing.
    camera.Look(960.0, 540.0);
    ExpectNear(camera.orientation, glm::vec3(0.0f, 0.0f, -1.0f));

    // A full viewport width to the right turns the view 100 degrees to the right (yaw).
    camera.Look(960.0 + 1920.0, 540.0);
    const float yaw = glm::radians(100.0f);
    ExpectNear(camera.orientation, glm::vec3(std::sin(yaw), 0.0f, -std::cos(yaw)), 1e-3f);
    // In a window of another size, from that window's centre and by its width.
    camera.orientation = glm::vec3(0.0f, 0.0f, -1.0f);
    camera.Look(640.0 + 1280.0, 360.0, 1280, 720);
    ExpectNear(camera.orientation, glm::vec3(std::sin(yaw), 0.0f, -std::cos(yaw)), 1e-3f);
    // A minimised window of no size turns nothing.
    camera.Look(200.0, -50.0, 0, 0);
    ExpectNear(camera.orientation, glm::vec3(std::sin(yaw), 0.0f, -std::cos(yaw)), 1e-3f);

    // Moving the cursor up pitches the view up, but never past 85 degrees above the horizon,
    // however far the drag goes.
    camera.orientation = glm::vec3(0.0f, 0.0f, -1.0f);
    for (int i = 0; i < 200; ++i) camera.Look(960.0, 540.0 - 10.0);  // under a degree a step
    const float pitch = std::asin(camera.orientation.y);
    EXPECT_GT(pitch, glm::radians(84.0f));
    EXPECT_LE(pitch, glm::radians(85.0f) + 1e-4f);
    EXPECT_NEAR(glm::length(camera.orientation), 1.0f, 1e-5f);
}

TEST(Camera, ScrollChangesSpeedByTwoPerNotchClampedAndReportsInTheStreamFormat) {
    Camera camera(1920, 1080, glm::vec3(0.0f));
    std::ostringstream out;
    camera.Scroll(1.0, out);
    EXPECT_EQ(camera.speed, 12.0f);
    EXPECT_EQ(out.str(), "Camera speed: 12 units/sec\n");

    camera.speed = 1.0f;
    camera.Scroll(-1.0, out);
    EXPECT_EQ(camera.speed, 0.5f);
    camera.speed = 99.0f;
    camera.Scroll(1.0, out);
    EXPECT_EQ(camera.speed, 100.0f);
    // At the limit the line is still printed.
    camera.Scroll(3.0, out);
    EXPECT_EQ(out.str(),
              "Camera speed: 12 units/sec\nCamera speed: 0.5 units/sec\n"
              "Camera speed: 100 units/sec\nCamera speed: 100 units/sec\n");

    // Once the stream is switched to fixed two-decimal notation the line follows it.
    std::ostringstream fixedOut;
    fixedOut << std::fixed;
    fixedOut.precision(2);
    camera.speed = 10.0f;
    camera.Scroll(1.0, fixedOut);
    EXPECT_EQ(fixedOut.str(), "Camera speed: 12.00 units/sec\n");
}

class ScrollWheel : public GlTest {};

TEST_F(ScrollWheel, StepsTheListeningCameraAndNothingOnceItIsGone) {
    Camera camera(1920, 1080, glm::vec3(0.0f));
    std::ostringstream out;
    ListenToScrollWheel(window(), camera, out);
    scroll_callback(nullptr, 0.0, 1.0);
    EXPECT_EQ(camera.speed, 12.0f);
    g_camera = nullptr;
    scroll_callback(nullptr, 0.0, 1.0);
    EXPECT_EQ(out.str(), "Camera speed: 12 units/sec\n");
}
