#include "app/frame_loop.h"

#include "app/frame_driver.h"
#include "app/gl_error_report.h"
#include "app/page_film.h"
#include "audio/audio_manager.h"
#include "gfx/pointer_input.h"
#include "gfx/uniforms.h"

FrameLoop::FrameLoop(GLFWwindow* window, Film& film, FrameOutput& output, const Console& console,
                     RenderScaleControl renderScale)
    : window(window),
      film(film),
      clock(*film.clock),
      filmClock(clock),
      output(output),
      console(console),
      renderer(film.scene, console),
      sequence(film.timeline, filmClock, film.audio, console.out),
      keyboard(filmClock, console.out),
      firefly(film.fireflyPath, static_cast<float>(filmClock.Now())),
      transport(filmClock, sequence, firefly, film.audio, film.camera, console.out),
      renderScale(renderScale),
      scaler(console.err),
      lastFrameTime(clock.Now()) {
    MarkShotsOnPage(film.timeline.ShotStarts());
    // From the first frame on; start-up gives the lit programs a point light none of them uses.
    if (GlErrorReportsEnabled()) RememberMissingUniforms(true);
}

void FrameLoop::Run() {
    DriveFrames(window, [this] { RunFrame(); });
    scaledPicture.Delete();
    scaler.Delete();
}

// One frame, in order.
void FrameLoop::RunFrame() {
    SampleFrameTime();
    FollowCanvasSize();
    FollowWindowSize();
    AdaptRenderScale();
    StartMusicOnFirstFrame();
    StartClocksOnFirstFrame();
    StartWhereAsked();
    UpdateCamera();
    HandleKeyboard();
    UpdateTitle();
    AdvanceDayNight();
    DecideOnPicture();
    ShowOnPage();
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

// A page's canvas draws at the size it is shown at: the window, and the film's picture in it,
// follow it.
void FrameLoop::FollowCanvasSize() {
    if (const auto canvas = PageCanvasSize()) {
        FrameTarget::ResizeWindow(canvas->width, canvas->height);
    }
}

// The film's own window keeps its 1920x1080 viewport whatever is done to it. A window an option
// asked for, or the full screen, shows the whole picture at whatever size it has.
void FrameLoop::FollowWindowSize() {
    if (!fitOption && !IsFullScreen(window)) {
        windowTarget = FrameTarget::Window();
    } else {
        glfwGetFramebufferSize(window, &windowTarget.width, &windowTarget.height);
    }
    pictureArea =
        LetterboxArea(windowTarget.width, windowTarget.height, kWindowWidth, kWindowHeight);
}

// The first frame's time includes the start-up; a decision looks at the median of many frames.
// A paused film keeps its scale, so that its picture stays the same; a frame that drew nothing
// says nothing of what drawing costs. The program that scales the picture to the window is built
// when it is first needed; without it the picture stays whole, drawn straight into the window.
void FrameLoop::AdaptRenderScale() {
    if (!firstFrame && !filmClock.Paused() && drawsPicture) renderScale.AddFrameTime(deltaTime);
    // The picture's full size: the film's 1920x1080, or a page canvas's.
    const FrameTarget full = FrameTarget::Window();
    const PictureSize size = ScaledSize(full.width, full.height, renderScale.Current());
    const bool straightIntoTheWindow = size.width == full.width && size.height == full.height &&
                                       windowTarget.width == full.width &&
                                       windowTarget.height == full.height;
    if (!straightIntoTheWindow && !scaler.Ready()) renderScale = RenderScaleControl::Fixed(1.0f);
    if (straightIntoTheWindow || !scaler.Ready()) {
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
    sequence.BeginFirstRun();
}

void FrameLoop::StartWhereAsked() {
    if (startPosition > 0.0) transport.StartAt(startPosition);
    startPosition = 0.0;
}

// A drag turns the view by the share of the window the cursor travels, whatever its size.
void FrameLoop::UpdateCamera() {
    if (autoCamera) {
        sequence.Play(film.camera, filmClock.Now());
    } else {
        if (windowTarget.IsFilmSize()) {
            film.camera.Inputs(window, deltaTime);
        } else {
            int width = 0, height = 0;
            glfwGetWindowSize(window, &width, &height);
            film.camera.Inputs(window, deltaTime, width, height);
        }
        sequence.fadeAlpha = 0.0f;
    }
}

void FrameLoop::HandleKeyboard() {
    constexpr std::pair<int, bool ShowKeys::*> kShowKeys[] = {
        {GLFW_KEY_R, &ShowKeys::r},         {GLFW_KEY_M, &ShowKeys::m},
        {GLFW_KEY_C, &ShowKeys::c},         {GLFW_KEY_N, &ShowKeys::n},
        {GLFW_KEY_P, &ShowKeys::p},         {GLFW_KEY_F, &ShowKeys::f},
        {GLFW_KEY_SPACE, &ShowKeys::space}, {GLFW_KEY_LEFT, &ShowKeys::left},
        {GLFW_KEY_RIGHT, &ShowKeys::right},
    };
    ShowKeys keys, held;
    for (const auto& [key, flag] : kShowKeys) {
        keys.*flag = KeyDown(window, key);
        held.*flag = KeyHeld(window, key);
    }
    keys.shift = held.shift =
        KeyDown(window, GLFW_KEY_LEFT_SHIFT) || KeyDown(window, GLFW_KEY_RIGHT_SHIFT);
    keys.seekTo = TakePageSeek();
    const bool wasAutomatic = autoCamera;
    keyboard.Handle(
        keys, held,
        ShowTargets{film.camera, sequence, dayNight, film.audio, transport, autoCamera, drawSun},
        frameTime);
    // Presses made while the film ran are not replayed in free flight.
    if (wasAutomatic && !autoCamera) film.camera.BeginFreeFlight(window);
    ToggleFullScreenOnF();
}

// Once per press, as the show keys: a held key does not flip the window back and forth.
void FrameLoop::ToggleFullScreenOnF() {
    if (!keyboard.FullScreenPressed()) return;
    if (const auto line = ToggleFullScreen(window, windowedPlace))
        console.out << *line << std::endl;
}

// The title counts real frames in real time, also while the film is paused.
void FrameLoop::UpdateTitle() {
    const double realTime = clock.Now();
    frameTime = filmClock.At(realTime);
    if (auto text = title.Tick(realTime)) glfwSetWindowTitle(window, text->c_str());
}

void FrameLoop::ShowOnPage() {
    FilmOnPage shown;
    shown.position = sequence.FilmPosition();
    shown.length = sequence.FilmEnd();
    shown.paused = filmClock.Paused();
    shown.ended = sequence.waitingForRestart;
    shown.muted = film.audio.muted;
    shown.automatic = autoCamera;
    shown.drawn = drawsPicture;
    ShowFilmOnPage(shown);
}

void FrameLoop::AdvanceDayNight() {
    sun = dayNight.Advance(frameTime);
    dayNight.PrintDiagnostic(frameTime, console.out);
}

// A picture that keeps what was last drawn is drawn again only when something in it changes: a
// paused film and the black screen at its end cost nothing. Two frames alike are drawn, since the
// sun's cover test answers a frame late.
void FrameLoop::DecideOnPicture() {
    PictureInputs inputs;
    // Under a black overlay the film's time changes nothing.
    inputs.time = sequence.fadeAlpha < 1.0f ? frameTime : 0.0;
    inputs.fadeAlpha = sequence.fadeAlpha;
    inputs.drawSun = drawSun;
    inputs.position = film.camera.position;
    inputs.orientation = film.camera.orientation;
    inputs.scale = renderScale.Current();
    inputs.width = windowTarget.width;
    unchangedFrames = inputs == drawnInputs ? unchangedFrames + 1 : 0;
    drawnInputs = inputs;
    drawsPicture = output.WantsPicture() && (!KeepsLastPicture() || unchangedFrames < 2);
}

void FrameLoop::RenderShadowMap() {
    if (!drawsPicture || renderer.FadeHidesThePicture(sequence.fadeAlpha)) return;
    // The shadow map is drawn at the picture's share of the window, as the other 3D passes are.
    const bool scaled = !output.Target() && scaledPicture.Allocated();
    renderer.RenderShadowMap(sun, &film.camera, scaled ? renderScale.Current() : 1.0f);
}

// The heading turns by the frame's time step; in a frame in which the film was paused or moved,
// only by the film time played in it (none while paused).
void FrameLoop::MoveFirefly() {
    const float step = static_cast<float>(filmClock.TakeFrameStep(deltaTime));
    film.scene.fireflyModel = firefly.Update(static_cast<float>(filmClock.Now()), step);
}

void FrameLoop::RenderScene() {
    if (!drawsPicture) return;
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
    if (drawsPicture && scaledPicture.Allocated() && pictureArea.width > 0) {
        scaler.PresentInto(scaledPicture, windowTarget, pictureArea);
    }
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
