#include "app/film_clock.h"

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
}

void FilmClock::Resume() {
    if (!paused) return;
    offset = source.Now() - pausedAt;
    paused = false;
}

void FilmClock::Shift(double seconds) {
    if (paused) {
        pausedAt += seconds;
    } else {
        offset -= seconds;
    }
    shiftedSinceTaken += seconds;
}

double FilmClock::TakePlayedTime() {
    const double now = Now();
    const double played = now - lastTaken - shiftedSinceTaken;
    lastTaken = now;
    shiftedSinceTaken = 0.0;
    return played;
}
