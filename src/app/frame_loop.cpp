#include "app/frame_loop.h"

FrameLoop::FrameLoop(GLFWwindow* window, Scene& scene, Camera& camera, const Clock& clock,
                     std::ostream& log)
    : window(window),
      camera(camera),
      clock(clock),
      log(log),
      renderer(scene, log),
      lastFrameTime(clock.Now()) {}

void FrameLoop::Run() {
    while (!glfwWindowShouldClose(window)) RunFrame();
}

// One frame, in order.
void FrameLoop::RunFrame() {
    SampleFrameTime();
    StartDayCycleOnFirstFrame();
    UpdateCamera();
    UpdateTitle();
    AdvanceDayNight();
    RenderShadowMap();
    RenderScene();
    Present();
    EndFrame();
}

void FrameLoop::SampleFrameTime() {
    currentTime = clock.Now();
    deltaTime = static_cast<float>(currentTime - lastFrameTime);
}

void FrameLoop::StartDayCycleOnFirstFrame() {
    dayNight.InitializeOnce(clock.Now());
}

void FrameLoop::UpdateCamera() {
    camera.Inputs(window, deltaTime);
}

void FrameLoop::UpdateTitle() {
    frameTime = clock.Now();
    if (auto text = title.Tick(frameTime)) glfwSetWindowTitle(window, text->c_str());
}

void FrameLoop::AdvanceDayNight() {
    sun = dayNight.Advance(frameTime);
    dayNight.PrintDiagnostic(frameTime, log);
}

void FrameLoop::RenderShadowMap() {
    renderer.RenderShadowMap(sun);
}

void FrameLoop::RenderScene() {
    FrameInputs frame;
    frame.sun = sun;
    frame.time = static_cast<float>(frameTime);
    renderer.RenderScene(camera, frame);
}

void FrameLoop::Present() {
    glfwSwapBuffers(window);
    glfwPollEvents();
}

void FrameLoop::EndFrame() {
    lastFrameTime = currentTime;
}
