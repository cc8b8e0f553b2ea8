#pragma once

#include "base/clock.h"

// The film's own time: the frame loop's clock, stopped while the film is paused and moved by
// seeks. Whatever moves with the film reads it (the shots and their fades, the sun, the firefly,
// the shaders' time); the title and the free-flying camera read the clock beneath, which never
// stops. It also keeps the run: when the film last started from its beginning, and so how far
// into the film it is.
class FilmClock final : public Clock {
  public:
    explicit FilmClock(const Clock& source);

    double Now() const override;
    // The film's time when the source's reads `sourceTime`.
    double At(double sourceTime) const;
    bool Paused() const { return paused; }
    // Stops the film's time where it is; pausing a paused clock changes nothing.
    void Pause();
    // Lets the film's time run on from where it stopped, without a jump.
    void Resume();
    // Moves the film's time by `seconds`, forward or back, paused or not.
    void Shift(double seconds);
    // A run of the film begins at the film's time `at`: its first shot and its fade-in.
    void StartRun(double at) { runStart = at; }
    double RunStart() const { return runStart; }
    // Seconds into the run at the film's time `filmTime`, or now.
    double PositionAt(double filmTime) const { return filmTime - runStart; }
    double Position() const { return PositionAt(Now()); }
    // Moves the film's time to `position` seconds into the run, paused or not.
    void MoveTo(double position) { Shift(position - Position()); }
    // How far whatever moves with the film advances in a frame of `frameStep` seconds: that
    // step while the film ran throughout since the last call (or since construction), else only
    // the film time played in between, the time spent paused and the seeks left out.
    double TakeFrameStep(double frameStep);

  private:
    const Clock& source;
    double offset = 0.0;  // how far the film's time is behind the source's while running
    double runStart = 0.0;
    bool paused = false;
    double pausedAt = 0.0;  // the film's time while paused
    double lastTaken;       // the film's time at the last TakeFrameStep
    double shiftedSinceTaken = 0.0;
    bool interruptedSinceTaken = false;  // paused, resumed or moved since then
};
