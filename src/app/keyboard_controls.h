#pragma once

#include <optional>
#include <ostream>

#include "app/clock.h"

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

// Each key acts once per press: on the frame it goes down, never while it is held.
class KeyboardControls {
  public:
    KeyboardControls(const Clock& clock, std::ostream& log);

    // Runs the actions of the keys pressed since last frame, in the order P, C, R, M, N, Space,
    // Left, Right.
    // `previousFrameTime` is the last frame's time sample, from which a resumed sun carries on.
    void Handle(const ShowKeys& keys, ShowTargets targets, double previousFrameTime);
    // This frame's keys become the previous ones.
    void EndFrame();

  private:
    void PrintCameraSnapshot(const Camera& camera);
    void ToggleAutomaticCamera(ShowTargets& targets);
    void MoveThroughFilm(FilmTransport& transport);

    const Clock& clock;
    std::ostream& log;
    ShowKeys current;
    ShowKeys previous;
};
