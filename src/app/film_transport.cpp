#include "app/film_transport.h"

#include <algorithm>

#include "audio/audio_manager.h"
#include "gfx/camera.h"
#include "render/firefly_flight.h"
#include "sequence/film_length.h"
#include "sequence/sequence_player.h"

FilmTransport::FilmTransport(FilmClock& clock, SequencePlayer& sequence, FireflyFlight& firefly,
                             AudioManager& audio, Camera& camera, std::ostream& log)
    : clock(clock), sequence(sequence), firefly(firefly), audio(audio), camera(camera), log(log) {}

void FilmTransport::TogglePause() {
    if (clock.Paused()) {
        Release();
        log << "Film resumed at " << FilmSeconds(Position()) << std::endl;
    } else {
        clock.Pause();
        // This frame's camera too shows the moment the film stopped at.
        sequence.Play(camera, clock.Now());
        audio.HoldMusic();
        log << "Film paused at " << FilmSeconds(Position()) << std::endl;
    }
}

void FilmTransport::Release() {
    clock.Resume();
    audio.ReleaseMusic();
}

void FilmTransport::SeekBy(double seconds) {
    const double position = std::clamp(Position() + seconds, 0.0, sequence.LastShotEnd());
    if (seconds < 0.0 || position > Position()) MoveTo(position);
    log << "Film position: " << FilmSeconds(Position()) << std::endl;
}

void FilmTransport::StartAt(double position) {
    MoveTo(position);
    log << "Film starts at " << FilmSeconds(Position()) << std::endl;
}

double FilmTransport::Position() const {
    return sequence.FilmPosition(clock.Now());
}

void FilmTransport::MoveTo(double position) {
    // At its end the film has paused its music; back within it, the music goes on.
    const bool musicPausedAtTheEnd = sequence.waitingForRestart && sequence.musicStarted;
    clock.Shift(position - (clock.Now() - sequence.runStartTime));
    const double now = clock.Now();
    sequence.Seek(camera, now);
    firefly.Seek(static_cast<float>(now));
    audio.SeekMusic(position);
    if (musicPausedAtTheEnd) audio.ResumeMusic();
}
