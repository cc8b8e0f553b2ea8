#include "base/film_clock.h"

FilmClock::FilmClock(const Clock& source) : source(source), lastTaken(source.Now()) {}

double FilmClock::Now() const {
    return At(source.Now());
}

double FilmClock::At(double sourceTime) const {
    return paused ? pausedAt : sourceTime - offset;
}

void FilmClock::Pause() {
    if (paused) return;
    pausedAt = Now();
    paused = true;
    interruptedSinceTaken = true;
}

void FilmClock::Resume() {
    if (!paused) return;
    offset = source.Now() - pausedAt;
    paused = false;
    interruptedSinceTaken = true;
}

void FilmClock::Shift(double seconds) {
    if (paused) {
        pausedAt += seconds;
    } else {
        offset -= seconds;
    }
    shiftedSinceTaken += seconds;
    interruptedSinceTaken = true;
}

double FilmClock::TakeFrameStep(double frameStep) {
    const double now = Now();
    const double played = now - lastTaken - shiftedSinceTaken;
    const bool ranThroughout = !paused && !interruptedSinceTaken;
    lastTaken = now;
    shiftedSinceTaken = 0.0;
    interruptedSinceTaken = false;
    return ranThroughout ? frameStep : played;
}
