#pragma once

#include <optional>
#include <ostream>

#include "base/clock.h"

class AudioManager;
class Camera;
class DayNightCycle;
class FilmTransport;
class SequencePlayer;

// The show keys as read this frame, all read before any of them acts.
struct ShowKeys {
    bool r = false;  // sun rotation
    bool m = false;  // music mute
    bool c = false;  // automatic camera: start, stop, restart
    bool n = false;  // sun or moon
    bool p = false;  // camera snapshot
    bool f = false;  // full screen or the window
    // While the automatic camera runs:
    bool space = false;            // pause or resume the film
    bool left = false;             // back 5 s (30 s with shift)
    bool right = false;            // forward 5 s (30 s with shift)
    bool shift = false;            // held, not pressed: the longer step
    std::optional<double> seekTo;  // seconds into the film the page's seek bar asks for
};

// What the show keys act on.
struct ShowTargets {
    Camera& camera;
    SequencePlayer& sequence;
    DayNightCycle& dayNight;
    AudioManager& audio;
    FilmTransport& transport;
    bool& autoCamera;
    bool& drawSun;
};

// Each key acts once per press: on the frame it is first read down, never while it is held.
class KeyboardControls {
  public:
    KeyboardControls(const Clock& clock, std::ostream& log);

    // Runs the actions of the keys pressed since last frame, in the order P, C, R, M, N, Space,
    // Left, Right. `keys` are those down or pressed since the last frame; `held` those of them
    // still down now. A key read down acts unless it was held at the last frame: one let go and
    // pressed again in between counts.
    // `previousFrameTime` is the last frame's time sample, from which a resumed sun carries on.
    void Handle(const ShowKeys& keys, const ShowKeys& held, ShowTargets targets,
                double previousFrameTime);
    // Whether F was pressed this frame, by the same rule: the window is the caller's to switch.
    bool FullScreenPressed() const { return current.f && !previous.f; }
    // This frame's held keys become the previous ones.
    void EndFrame();

  private:
    void PrintCameraSnapshot(const Camera& camera);
    void ToggleAutomaticCamera(ShowTargets& targets);
    void MoveThroughFilm(FilmTransport& transport);

    const Clock& clock;
    std::ostream& log;
    ShowKeys current;
    ShowKeys heldNow;
    ShowKeys previous;  // held at the last frame
};
