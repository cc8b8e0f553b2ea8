#pragma once

#include <ostream>

#include "app/clock.h"
#include "app/frame_title.h"
#include "app/window.h"
#include "gfx/camera.h"
#include "render/day_night.h"
#include "render/frame_renderer.h"
#include "render/scene.h"

// Runs one frame after another until the window is closed. There is no fixed time step and no
// frame limiter: every motion is a function of the clock.
class FrameLoop {
  public:
    FrameLoop(GLFWwindow* window, Scene& scene, Camera& camera, const Clock& clock,
              std::ostream& log);

    void Run();

  private:
    void RunFrame();

    void SampleFrameTime();
    void StartDayCycleOnFirstFrame();
    void UpdateCamera();
    void UpdateTitle();
    void AdvanceDayNight();
    void RenderShadowMap();
    void RenderScene();
    void Present();
    void EndFrame();

    GLFWwindow* window;
    Camera& camera;
    const Clock& clock;
    std::ostream& log;
    FrameRenderer renderer;

    double lastFrameTime;
    double currentTime = 0.0;
    float deltaTime = 0.0f;
    double frameTime = 0.0;  // the frame's time sample, taken after input handling
    FrameTitle title;
    DayNightCycle dayNight;
    SunState sun = SunAt(DayNightCycle::kStartAngle);
};
