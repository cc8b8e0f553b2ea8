#include "app/frame_loop.h"

FrameLoop::FrameLoop(GLFWwindow* window, Scene& scene, Camera& camera, const Clock& clock)
    : window(window), scene(scene), camera(camera), clock(clock), lastFrameTime(clock.Now()) {}

void FrameLoop::Run() {
    while (!glfwWindowShouldClose(window)) RunFrame();
}

// One frame, in order.
void FrameLoop::RunFrame() {
    SampleFrameTime();
    UpdateCamera();
    UpdateTitle();
    BeginScene();
    Present();
    EndFrame();
}

void FrameLoop::SampleFrameTime() {
    currentTime = clock.Now();
    deltaTime = static_cast<float>(currentTime - lastFrameTime);
}

void FrameLoop::UpdateCamera() {
    camera.Inputs(window, deltaTime);
}

void FrameLoop::UpdateTitle() {
    titleTime = clock.Now();
    if (auto text = title.Tick(titleTime)) glfwSetWindowTitle(window, text->c_str());
}

void FrameLoop::BeginScene() {
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    camera.updateMatrix(45.0f, 0.1f, 2000.0f);
}

void FrameLoop::Present() {
    glfwSwapBuffers(window);
    glfwPollEvents();
}

void FrameLoop::EndFrame() {
    lastFrameTime = currentTime;
}
