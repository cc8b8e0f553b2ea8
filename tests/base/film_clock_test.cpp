#include "base/film_clock.h"

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
TEST(FilmClock, PausesWithoutLosingTimeAndSeeksByShiftingOrWithinTheRun) {
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
        {"into a run from 20", 28.0, [](FilmClock& c) { c.StartRun(20), c.MoveTo(5); }, 25.0},
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

// What moves with the film in a frame: the frame's own step while the film ran throughout; the
// film time played in it once a pause or a seek broke in, the pause and the seek left out.
TEST(FilmClock, AFrameStepIsTheFramesOwnUnlessAPauseOrASeekBrokeIn) {
    HandClock source;
    FilmClock film(source);
    source.now = 10.5;
    EXPECT_DOUBLE_EQ(film.TakeFrameStep(0.48), 0.48);
    source.now = 11.0;
    film.Shift(-5.0);
    source.now = 11.25;
    EXPECT_DOUBLE_EQ(film.TakeFrameStep(0.7), 0.75);
    film.Pause();
    source.now = 14.0;
    film.Shift(30.0);
    EXPECT_DOUBLE_EQ(film.TakeFrameStep(2.75), 0.0);
    source.now = 14.5;
    EXPECT_DOUBLE_EQ(film.TakeFrameStep(0.5), 0.0) << "a whole frame paused";
    film.Resume();
    source.now = 14.6;
    EXPECT_NEAR(film.TakeFrameStep(0.6), 0.1, 1e-12);
    source.now = 14.7;
    EXPECT_DOUBLE_EQ(film.TakeFrameStep(0.09), 0.09) << "running again";
    EXPECT_NEAR(film.Now(), 10.5 - 5.0 + 0.75 + 30.0 + 0.2, 1e-12);
}
