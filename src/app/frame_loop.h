#pragma once

#include <ostream>
#include <vector>

#include "app/film.h"
#include "app/film_transport.h"
#include "app/frame_title.h"
#include "app/keyboard_controls.h"
#include "app/window.h"
#include "base/clock.h"
#include "base/console.h"
#include "base/film_clock.h"
#include "gfx/camera.h"
#include "render/day_night.h"
#include "render/firefly_flight.h"
#include "render/frame_output.h"
#include "render/frame_renderer.h"
#include "render/render_scale.h"
#include "render/render_target.h"
#include "render/scene.h"
#include "sequence/camera_shot.h"
#include "sequence/sequence_player.h"

// Runs one frame after another until the window is closed. There is no fixed time step and no
// frame limiter: every motion is a function of the clock. The film's lines go to the console's
// `out`, GL errors to its `err`.
class FrameLoop {
  public:
    FrameLoop(GLFWwindow* window, Film& film, FrameOutput& output, const Console& console,
              RenderScaleControl renderScale = RenderScaleControl::Fixed(1.0f));

    void Run();
    // One frame at the clock's current time, for callers that step the clock themselves.
    void RunFrame();
    // The first frame shows `filmSeconds` into the film instead of its beginning.
    void StartFrom(double filmSeconds) { startPosition = filmSeconds; }
    // The picture fills whatever size the window has, whole and letterboxed, instead of keeping
    // the film's own size in the window's corner.
    void FitPictureToWindow() { fitOption = true; }
    // What a tool that drives the loop reads between frames.
    const SequencePlayer& Sequence() const { return sequence; }
    float RenderScale() const { return renderScale.Current(); }

  private:
    void SampleFrameTime();
    void FollowCanvasSize();
    void FollowWindowSize();
    void AdaptRenderScale();
    void StartMusicOnFirstFrame();
    void StartClocksOnFirstFrame();
    void StartWhereAsked();
    void UpdateCamera();
    void HandleKeyboard();
    void ToggleFullScreenOnF();
    void UpdateTitle();
    void ShowOnPage();
    void AdvanceDayNight();
    void DecideOnPicture();
    void RenderShadowMap();
    void MoveFirefly();
    void RenderScene();
    FrameTarget PictureTarget() const;
    void ScalePictureToWindow();
    void UpdateMusic();
    void Present();
    void EndFrame();

    GLFWwindow* window;
    Film& film;
    const Clock& clock;  // the title and free flight; the film itself runs on filmClock
    FilmClock filmClock;
    FrameOutput& output;
    Console console;
    FrameRenderer renderer;
    SequencePlayer sequence;
    KeyboardControls keyboard;
    FireflyFlight firefly;  // its clock starts before the first frame
    FilmTransport transport;
    RenderScaleControl renderScale;
    // The picture below full size; at full size the passes draw straight into the window.
    OffscreenTarget scaledPicture;
    PictureScaler scaler;
    // The window's framebuffer and where the picture shows in it this frame.
    bool fitOption = false;
    FrameTarget windowTarget = FrameTarget::Window();
    PixelRect pictureArea{0, 0, kWindowWidth, kWindowHeight};
    PixelRect windowedPlace;  // the window's place before it went full screen

    bool autoCamera = true;
    bool drawSun = true;
    bool firstFrame = true;
    double lastFrameTime;
    double currentTime = 0.0;
    float deltaTime = 0.0f;
    double frameTime = 0.0;      // the film's time sample, taken after input handling
    double startPosition = 0.0;  // film seconds the first frame shows
    // What the last frame's picture was made from, and for how many frames it has stayed so.
    struct PictureInputs {
        double time = -1.0;
        float fadeAlpha = 0.0f;
        bool drawSun = true;
        glm::vec3 position{0.0f};
        glm::vec3 orientation{0.0f};
        float scale = 0.0f;
        int width = 0;  // the window's; a page's canvas loses its picture when resized
        bool operator==(const PictureInputs& other) const {
            return time == other.time && fadeAlpha == other.fadeAlpha && drawSun == other.drawSun &&
                   position == other.position && orientation == other.orientation &&
                   scale == other.scale && width == other.width;
        }
    };
    PictureInputs drawnInputs;
    int unchangedFrames = 0;
    bool drawsPicture = true;
    FrameTitle title;
    DayNightCycle dayNight;
    SunState sun = SunAt(DayNightCycle::kStartAngle);
};
