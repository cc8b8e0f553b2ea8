#include "app/frame_loop.h"

#include <iostream>

#include "app/gl_error_report.h"
#include "audio/audio_manager.h"

FrameLoop::FrameLoop(GLFWwindow* window, Film film, const Clock& clock, std::ostream& log)
    : window(window),
      film(film),
      clock(clock),
      log(log),
      renderer(film.scene, log),
      sequence(film.cameraShots, film.audio, log),
      keyboard(clock, log),
      firefly(film.fireflyPath, static_cast<float>(clock.Now())),
      lastFrameTime(clock.Now()) {}

void FrameLoop::Run() {
    while (!glfwWindowShouldClose(window)) RunFrame();
}

// One frame, in order.
void FrameLoop::RunFrame() {
    SampleFrameTime();
    StartMusicOnFirstFrame();
    StartClocksOnFirstFrame();
    UpdateCamera();
    HandleKeyboard();
    UpdateTitle();
    AdvanceDayNight();
    RenderShadowMap();
    MoveFirefly();
    RenderScene();
    ReportGlErrors(std::cerr);
    UpdateMusic();
    Present();
    EndFrame();
}

void FrameLoop::SampleFrameTime() {
    currentTime = clock.Now();
    deltaTime = static_cast<float>(currentTime - lastFrameTime);
}

void FrameLoop::StartMusicOnFirstFrame() {
    if (autoCamera && !sequence.musicStarted) {
        film.audio.PlayMusic();
        sequence.musicStarted = true;
    }
}

// The day, the fade-in and the first shot all begin on the first frame, so the start-up time
// does not eat into the opening shot.
void FrameLoop::StartClocksOnFirstFrame() {
    dayNight.InitializeOnce(clock.Now());
    if (!firstFrame) return;
    firstFrame = false;
    sequence.fadeStartTime = clock.Now();
    sequence.shotStartTime = static_cast<float>(sequence.fadeStartTime);
}

void FrameLoop::UpdateCamera() {
    if (autoCamera) {
        sequence.Play(film.camera, clock.Now());
    } else {
        film.camera.Inputs(window, deltaTime);
        sequence.fadeAlpha = 0.0f;
    }
}

void FrameLoop::HandleKeyboard() {
    const auto down = [this](int key) { return glfwGetKey(window, key) == GLFW_PRESS; };
    ShowKeys keys;
    keys.r = down(GLFW_KEY_R);
    keys.m = down(GLFW_KEY_M);
    keys.c = down(GLFW_KEY_C);
    keys.n = down(GLFW_KEY_N);
    keys.p = down(GLFW_KEY_P);
    keyboard.Handle(keys,
                    ShowTargets{film.camera, sequence, dayNight, film.audio, autoCamera, drawSun},
                    frameTime);
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

void FrameLoop::MoveFirefly() {
    film.scene.fireflyModel = firefly.Update(static_cast<float>(clock.Now()), deltaTime);
}

void FrameLoop::RenderScene() {
    FrameInputs frame;
    frame.sun = sun;
    frame.time = static_cast<float>(frameTime);
    frame.fadeAlpha = sequence.fadeAlpha;
    frame.drawSun = drawSun;
    renderer.RenderScene(film.camera, frame);
}

void FrameLoop::UpdateMusic() {
    film.audio.Update();
}

void FrameLoop::Present() {
    glfwSwapBuffers(window);
    glfwPollEvents();
}

void FrameLoop::EndFrame() {
    keyboard.EndFrame();
    lastFrameTime = currentTime;
}
