#include "app/film_clock.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

class HandClock : public Clock {
  public:
    double Now() const override { return now; }
    double now = 10.0;
};

}  // namespace

// The source moves to `source`, one thing is done to the film clock, then it reads `film`.
TEST(FilmClock, PausesWithoutLosingTimeAndSeeksByShifting) {
    struct Step {
        const char* what;
        double source;
        std::function<void(FilmClock&)> act;
        double film;
    };
    const auto nothing = [](FilmClock&) {};
    const auto pause = [](FilmClock& clock) { clock.Pause(); };
    const auto resume = [](FilmClock& clock) { clock.Resume(); };
    const auto shift = [](double seconds) {
        return [seconds](FilmClock& clock) { clock.Shift(seconds); };
    };
    const std::vector<Step> steps = {
        {"runs with its source", 12.5, nothing, 12.5},
        {"a pause stops it", 13.0, pause, 13.0},
        {"paused, it stands", 16.0, nothing, 13.0},
        {"a second pause keeps the first moment", 17.0, pause, 13.0},
        {"resumed, it goes on from there", 17.0, resume, 13.0},
        {"and runs again", 18.5, nothing, 14.5},
        {"a second resume makes no jump", 19.0, resume, 15.0},
        {"a seek forward", 19.0, shift(5.0), 20.0},
        {"keeps running", 20.0, nothing, 21.0},
        {"a seek back past its start", 20.0, shift(-30.0), -9.0},
        {"paused again", 21.0, pause, -8.0},
        {"a paused seek shows the new moment", 22.0, shift(30.0), 22.0},
        {"and stays paused", 25.0, nothing, 22.0},
        {"resumed from the new moment", 26.0, resume, 22.0},
        {"", 27.25, nothing, 23.25},
    };
    HandClock source;
    FilmClock film(source);
    for (const Step& step : steps) {
        source.now = step.source;
        step.act(film);
        EXPECT_DOUBLE_EQ(film.Now(), step.film) << step.what;
        EXPECT_DOUBLE_EQ(film.At(source.now), step.film) << step.what;
    }
    EXPECT_FALSE(film.Paused());
}

// What moves with the film between two frames: pauses and seeks are not played time.
TEST(FilmClock, PlayedTimeLeavesOutPausesAndSeeks) {
    HandClock source;
    FilmClock film(source);
    source.now = 10.5;
    EXPECT_DOUBLE_EQ(film.TakePlayedTime(), 0.5);
    source.now = 11.0;
    film.Shift(-5.0);
    source.now = 11.25;
    EXPECT_DOUBLE_EQ(film.TakePlayedTime(), 0.75);
    film.Pause();
    source.now = 14.0;
    film.Shift(30.0);
    EXPECT_DOUBLE_EQ(film.TakePlayedTime(), 0.0);
    film.Resume();
    source.now = 14.1;
    EXPECT_NEAR(film.TakePlayedTime(), 0.1, 1e-12);
    EXPECT_NEAR(film.Now(), 10.5 - 5.0 + 0.75 + 30.0 + 0.1, 1e-12);
}
