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

// The music's commands come first and the film's clock after them: a device may take a good
// part of a second to carry one out (MCI under Wine), and the film must not run on meanwhile.
void FilmTransport::TogglePause() {
    if (clock.Paused()) {
        // The music goes on from the film's time rather than from where the device stopped it:
        // a device that drops what it had buffered when paused (MCI under Wine: nearly half a
        // second) or that plays slower than the clock would otherwise stay out of step.
        const double position = Position();
        // On the black screen after the film the music stays where the end paused it.
        if (!sequence.waitingForRestart) audio.SeekMusic(position);
        Release();
        log << "Film resumed at " << FilmSeconds(position) << std::endl;
    } else {
        audio.HoldMusic();
        clock.Pause();
        // This frame's camera too shows the moment the film stopped at.
        sequence.Play(camera, clock.Now());
        log << "Film paused at " << FilmSeconds(Position()) << std::endl;
    }
}

void FilmTransport::Release() {
    audio.ReleaseMusic();
    clock.Resume();
}

void FilmTransport::ToggleMute() {
    const bool mute = !audio.muted;
    // The film waits while the device carries the command out, as for a resume.
    const bool running = !clock.Paused();
    clock.Pause();
    // A paused track is what an unmute sounds again: from the film's time, or on the black
    // screen after the film from where the end paused it.
    if (!mute && audio.isPaused && !sequence.waitingForRestart) audio.SeekMusic(Position());
    audio.SetMuted(mute);
    if (running) clock.Resume();
}

void FilmTransport::SeekBy(double seconds) {
    SeekTo(Position() + seconds);
}

void FilmTransport::SeekTo(double target) {
    const double from = Position();
    const double position = std::clamp(target, 0.0, sequence.LastShotEnd());
    const bool moves = target < from || position > from;
    if (moves) MoveTo(position);
    log << "Film position: " << FilmSeconds(moves ? position : from) << std::endl;
}

void FilmTransport::StartAt(double position) {
    MoveTo(position);
    log << "Film starts at " << FilmSeconds(position) << std::endl;
}

double FilmTransport::Position() const {
    return sequence.FilmPosition();
}

void FilmTransport::MoveTo(double position) {
    // At its end the film has paused its music; back within it, the music goes on (once the
    // film does, when the viewer has paused it).
    const bool musicPausedAtTheEnd = sequence.waitingForRestart && sequence.musicStarted;
    audio.SeekMusic(position);
    if (musicPausedAtTheEnd) audio.ResumeMusic();
    clock.MoveTo(position);
    const double now = clock.Now();
    const bool wasComplete = sequence.sequenceComplete;
    sequence.Seek(camera, now);
    firefly.Seek(static_cast<float>(now));
    // Moved past the last shot's end, the film says what it says when it plays to there.
    if (sequence.sequenceComplete && !wasComplete)
        log << SequencePlayer::kCompletedLine << std::endl;
}
