#pragma once

#include "app/clock.h"
#include "app/frame_title.h"
#include "app/scene.h"
#include "app/window.h"
#include "gfx/camera.h"

// Runs one frame after another until the window is closed. There is no fixed time step and no
// frame limiter: every motion is a function of the clock.
class FrameLoop {
  public:
    FrameLoop(GLFWwindow* window, Scene& scene, Camera& camera, const Clock& clock);

    void Run();

  private:
    void RunFrame();

    void SampleFrameTime();
    void UpdateCamera();
    void UpdateTitle();
    void BeginScene();
    void Present();
    void EndFrame();

    GLFWwindow* window;
    Scene& scene;
    Camera& camera;
    const Clock& clock;

    double lastFrameTime;
    double currentTime = 0.0;
    float deltaTime = 0.0f;
    double titleTime = 0.0;  // the frame's time sample, taken after input handling
    FrameTitle title;
};
