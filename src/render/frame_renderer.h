#pragma once

#include <glm/glm.hpp>
#include <ostream>

#include "gfx/camera.h"
#include "render/day_night.h"
#include "render/scene.h"

// What a frame's passes need besides the scene and the camera.
struct FrameInputs {
    SunState sun;
    float time = 0.0f;       // the frame's time sample, for animated shaders
    float fadeAlpha = 0.0f;  // black overlay opacity
    bool drawSun = true;     // the sun (with its flare) or the moon
};

// Draws the scene's passes in their fixed order. Every frame starts and ends with depth test on,
// depth writes on, blending off, the 1920x1080 viewport and the default framebuffer bound.
class FrameRenderer {
  public:
    FrameRenderer(Scene& scene, std::ostream& log);

    // The sun's depth map over well, terrain and plants, by day and by night.
    void RenderShadowMap(const SunState& sun);
    // Everything the viewer sees, from the cleared frame to the fade overlay.
    void RenderScene(Camera& camera, const FrameInputs& frame);

  private:
    void DrawSky(Camera& camera, const FrameInputs& frame);
    void DrawStars(Camera& camera, const FrameInputs& frame);
    void DrawLitObjects(Camera& camera, const FrameInputs& frame);
    void DrawWater(Camera& camera, const FrameInputs& frame);
    void DrawSunOrMoon(Camera& camera, const FrameInputs& frame);
    void DrawLensFlare(Camera& camera, const FrameInputs& frame);
    void DrawFade(const FrameInputs& frame);

    Scene& scene;
    std::ostream& log;
    glm::mat4 lightSpaceMatrix{0.0f};
    int frameCount = 0;  // frames with stars drawn, for the star line
};
