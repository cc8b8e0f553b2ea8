#pragma once

#include <glm/glm.hpp>
#include <string>
#include <vector>

#include "gfx/camera.h"
#include "render/frame_renderer.h"
#include "render/scene.h"
#include "support/console_lines.h"
#include "support/gl_context.h"

constexpr float kNoonAngle = 1.5707963f;
constexpr float kMidnightAngle = -1.5707963f;
constexpr float kAfternoonAngle = 2.0943951f;  // 120 degrees: the sun stands over -x

// Whole frames of the real scene, with the generated run-time data. The scene is built once per
// test program and shared by every test that derives from this fixture.
class SceneFrames : public GlTest {
  protected:
    static void SetUpTestSuite();

    // Renders one frame into `target` with the camera at `eye` looking at `target` and the sun at
    // `angle`, and expects the shadow map and the frame to leave the state the frame order
    // promises.
    void Render(const glm::vec3& eye, const glm::vec3& lookAt, float angle, float fadeAlpha = 0.0f,
                const FrameTarget& target = FrameTarget::Window(), bool drawSun = true);

    glm::ivec2 WindowPixel(const glm::vec3& world) const;

    // Every frame ends as the frame order promises: the state between frames
    // (pass_states::kFrame), the window's framebuffer bound with its 1920x1080 viewport; and
    // no pass has uploaded a uniform its program lacks.
    static void ExpectTheStateAFrameEndsWith();

    static Scene& scene();
    static const std::string& startupLog();     // what building the scene printed on `out`
    static const std::string& startupErrors();  // and on `err`
    Camera camera{1920, 1080, glm::vec3(0.0f)};
    RenderShortcuts shortcuts;             // what Render uses; the renderer's own by default
    float renderScale = 1.0f;              // the share of the window the picture stands for
    PassObserver* passObserver = nullptr;  // told of each pass Render draws
    ConsoleLines console;
};
