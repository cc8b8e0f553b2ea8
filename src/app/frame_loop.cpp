#include "app/frame_loop.h"

#include "app/frame_driver.h"
#include "app/gl_error_report.h"
#include "audio/audio_manager.h"
#include "gfx/pointer_input.h"

FrameLoop::FrameLoop(GLFWwindow* window, Film film, const Clock& clock, FrameOutput& output,
                     const Console& console, RenderScaleControl renderScale)
    : window(window),
      film(film),
      clock(clock),
      filmClock(clock),
      output(output),
      console(console),
      renderer(film.scene, console),
      sequence(film.cameraShots, film.audio, console.out),
      keyboard(filmClock, console.out),
      firefly(film.fireflyPath, static_cast<float>(filmClock.Now())),
      transport(filmClock, sequence, firefly, film.audio, film.camera, console.out),
      renderScale(renderScale),
      scaler(console.err),
      lastFrameTime(clock.Now()) {}

void FrameLoop::Run() {
    DriveFrames(window, [this] { RunFrame(); });
    scaledPicture.Delete();
    scaler.Delete();
}

// One frame, in order.
void FrameLoop::RunFrame() {
    SampleFrameTime();
    AdaptRenderScale();
    StartMusicOnFirstFrame();
    StartClocksOnFirstFrame();
    StartWhereAsked();
    UpdateCamera();
    HandleKeyboard();
    UpdateTitle();
    AdvanceDayNight();
    RenderShadowMap();
    MoveFirefly();
    RenderScene();
    ScalePictureToWindow();
    ReportGlErrors(console.err);
    UpdateMusic();
    Present();
    EndFrame();
}

void FrameLoop::SampleFrameTime() {
    currentTime = clock.Now();
    deltaTime = static_cast<float>(currentTime - lastFrameTime);
}

// The first frame's time includes the start-up; a decision looks at the median of many frames.
// A paused film keeps its scale, so that its picture stays the same. The program that scales
// the picture up is built when the picture first shrinks; without it the picture stays whole.
void FrameLoop::AdaptRenderScale() {
    if (!firstFrame && !filmClock.Paused()) renderScale.AddFrameTime(deltaTime);
    const PictureSize size = ScaledSize(kWindowWidth, kWindowHeight, renderScale.Current());
    const bool fullSize = size.width == kWindowWidth && size.height == kWindowHeight;
    if (!fullSize && !scaler.Ready()) renderScale = RenderScaleControl::Fixed(1.0f);
    if (fullSize || !scaler.Ready()) {
        scaledPicture.Delete();
    } else {
        scaledPicture.Resize(size.width, size.height);
    }
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
    dayNight.InitializeOnce(filmClock.Now());
    if (!firstFrame) return;
    firstFrame = false;
    sequence.BeginFirstRun(filmClock.Now());
}

void FrameLoop::StartWhereAsked() {
    if (startPosition > 0.0) transport.StartAt(startPosition);
    startPosition = 0.0;
}

void FrameLoop::UpdateCamera() {
    if (autoCamera) {
        sequence.Play(film.camera, filmClock.Now());
    } else {
        film.camera.Inputs(window, deltaTime);
        sequence.fadeAlpha = 0.0f;
    }
}

void FrameLoop::HandleKeyboard() {
    const auto down = [this](int key) { return KeyDown(window, key); };
    ShowKeys keys;
    keys.r = down(GLFW_KEY_R);
    keys.m = down(GLFW_KEY_M);
    keys.c = down(GLFW_KEY_C);
    keys.n = down(GLFW_KEY_N);
    keys.p = down(GLFW_KEY_P);
    keys.space = down(GLFW_KEY_SPACE);
    keys.left = down(GLFW_KEY_LEFT);
    keys.right = down(GLFW_KEY_RIGHT);
    keys.shift = down(GLFW_KEY_LEFT_SHIFT) || down(GLFW_KEY_RIGHT_SHIFT);
    const bool wasAutomatic = autoCamera;
    keyboard.Handle(
        keys,
        ShowTargets{film.camera, sequence, dayNight, film.audio, transport, autoCamera, drawSun},
        frameTime);
    // Presses made while the film ran are not replayed in free flight.
    if (wasAutomatic && !autoCamera) film.camera.BeginFreeFlight(window);
}

// The title counts real frames in real time, also while the film is paused.
void FrameLoop::UpdateTitle() {
    const double realTime = clock.Now();
    frameTime = filmClock.At(realTime);
    if (auto text = title.Tick(realTime)) glfwSetWindowTitle(window, text->c_str());
}

void FrameLoop::AdvanceDayNight() {
    sun = dayNight.Advance(frameTime);
    dayNight.PrintDiagnostic(frameTime, console.out);
}

void FrameLoop::RenderShadowMap() {
    if (output.WantsPicture()) renderer.RenderShadowMap(sun, &film.camera);
}

// The heading turns by the frame's time step; in a frame in which the film was paused or moved,
// only by the film time played in it (none while paused).
void FrameLoop::MoveFirefly() {
    const float step = static_cast<float>(filmClock.TakeFrameStep(deltaTime));
    film.scene.fireflyModel = firefly.Update(static_cast<float>(filmClock.Now()), step);
}

void FrameLoop::RenderScene() {
    if (!output.WantsPicture()) return;
    FrameInputs frame;
    frame.sun = sun;
    frame.time = static_cast<float>(frameTime);
    frame.fadeAlpha = sequence.fadeAlpha;
    frame.drawSun = drawSun;
    renderer.RenderScene(film.camera, frame, PictureTarget());
}

// The output's own target if it has one, else the window, or its smaller picture while the
// render scale is below full size.
FrameTarget FrameLoop::PictureTarget() const {
    if (const auto target = output.Target()) return *target;
    return scaledPicture.Allocated() ? scaledPicture.Target() : FrameTarget::Window();
}

void FrameLoop::ScalePictureToWindow() {
    if (scaledPicture.Allocated()) scaler.PresentToWindow(scaledPicture);
}

void FrameLoop::UpdateMusic() {
    film.audio.Update();
}

void FrameLoop::Present() {
    output.Present();
}

void FrameLoop::EndFrame() {
    keyboard.EndFrame();
    lastFrameTime = currentTime;
}
