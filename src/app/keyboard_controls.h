#pragma once

#include <ostream>

#include "app/clock.h"

class AudioManager;
class Camera;
class DayNightCycle;
class SequencePlayer;

// The five show keys as read this frame, all read before any of them acts.
struct ShowKeys {
    bool r = false;  // sun rotation
    bool m = false;  // music mute
    bool c = false;  // automatic camera: start, stop, restart
    bool n = false;  // sun or moon
    bool p = false;  // camera snapshot
};

// What the show keys act on.
struct ShowTargets {
    Camera& camera;
    SequencePlayer& sequence;
    DayNightCycle& dayNight;
    AudioManager& audio;
    bool& autoCamera;
    bool& drawSun;
};

// Each key acts once per press: on the frame it goes down, never while it is held.
class KeyboardControls {
  public:
    KeyboardControls(const Clock& clock, std::ostream& log);

    // Runs the actions of the keys pressed since last frame, in the order P, C, R, M, N.
    // `previousFrameTime` is the last frame's time sample, from which a resumed sun carries on.
    void Handle(const ShowKeys& keys, ShowTargets targets, double previousFrameTime);
    // This frame's keys become the previous ones.
    void EndFrame();

  private:
    void PrintCameraSnapshot(const Camera& camera);
    void ToggleAutomaticCamera(ShowTargets& targets);

    const Clock& clock;
    std::ostream& log;
    ShowKeys current;
    ShowKeys previous;
};
