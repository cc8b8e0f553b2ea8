#pragma once

// Frames of the real scene, with the generated run-time data, read back from the GPU.
#include <glm/glm.hpp>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "gfx/camera.h"
#include "render/day_night.h"
#include "render/frame_renderer.h"
#include "render/scene.h"
#include "support/gl_context.h"
#include "support/pixels.h"

constexpr float kNoonAngle = 1.5707963f;
constexpr float kMidnightAngle = -1.5707963f;
constexpr float kAfternoonAngle = 2.0943951f;  // 120 degrees: the sun stands over -x

// The sun's angle `filmTime` seconds into the film.
float FilmSunAngle(float filmTime);

class SceneFrames : public GlTest {
  protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();

    // Renders one frame with the camera at `eye` looking at `target` and the sun at `angle`.
    void Render(const glm::vec3& eye, const glm::vec3& target, float angle, float fadeAlpha = 0.0f,
                bool drawSun = true);
    // The window pixel on which `world` appears in the last frame.
    glm::ivec2 WindowPixel(const glm::vec3& world) const;

    static std::unique_ptr<Scene> scene;
    static std::string startupLog;
    Camera camera{1920, 1080, glm::vec3(0.0f)};
    std::ostringstream log;
};
