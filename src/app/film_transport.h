#pragma once

#include <ostream>

#include "base/film_clock.h"

class AudioManager;
class Camera;
class FireflyFlight;
class SequencePlayer;

// Pausing, resuming and moving within the running film. Each changes the film clock, which the
// shots, the fades, the sun and the firefly read; the shots and the firefly, which keep the leg
// they are on, are put where the new time has them, and the music is kept at the film's time.
// Each action prints one line.
class FilmTransport {
  public:
    FilmTransport(FilmClock& clock, SequencePlayer& sequence, FireflyFlight& firefly,
                  AudioManager& audio, Camera& camera, std::ostream& log);

    // Space: pauses the film where it is, music and all, or lets it go on from there.
    void TogglePause();
    // The film goes on without a line of its own (C, which prints its own, takes over), and its
    // music with it if it sounded when the film was paused.
    void Release();
    // M: mutes the music, or lets it sound again from the film's time, never from where the mute
    // left it; the film itself goes on either way.
    void ToggleMute();
    // The arrows: `seconds` back (negative) or forward, kept between the fade-in's start and the
    // last shot's end; forward from the fade-out, the film stays where it is. A paused film stays
    // paused and shows the new moment.
    void SeekBy(double seconds);
    // The same to `position` seconds into the film (the page's seek bar), with the same line.
    void SeekTo(double position);
    // The film's first frame shows `position` seconds into the film.
    void StartAt(double position);

  private:
    double Position() const;
    void MoveTo(double position);

    FilmClock& clock;
    SequencePlayer& sequence;
    FireflyFlight& firefly;
    AudioManager& audio;
    Camera& camera;
    std::ostream& log;
};
