#include "composition.h"

#include "film_sections.h"
#include "orchestra.h"

namespace lumenvale::music {

namespace {

// The film pauses the music at about 129 s. The last chord has died away by 130 s and the file
// runs on in silence a little longer, so a late pause still lands on silence.
constexpr double kSilentFromSeconds = 130.0;
constexpr double kFileSeconds = 132.0;

// The loudness of the piece over the film: soft night, a crescendo through sunrise into a full
// noon, easing at sunset, a hush over the water, the flight growing toward the final chord.
std::vector<DynamicPoint> film_dynamics() {
    return {
        {bar(0), 0.70},    {bar(3.5), 0.74},  {bar(4), 0.76},    {bar(11), 0.84},
        {bar(15.7), 0.97}, {bar(16), 1.00},   {bar(23.5), 1.00}, {bar(24), 0.94},
        {bar(27.5), 0.80}, {bar(28), 0.72},   {bar(30), 0.74},   {bar(31), 0.78},
        {bar(34), 0.80},   {bar(45.5), 0.88}, {bar(48), 0.90},   {bar(50.6), 0.76},
    };
}

std::vector<Section> film_sections() {
    return {
        {"night opening", bar(0), bar(4)}, {"sunrise", bar(4), bar(16)},
        {"noon", bar(16), bar(24)},        {"sunset", bar(24), bar(28)},
        {"hush", bar(28), bar(30)},        {"firefly rise", bar(30), bar(34)},
        {"flight", bar(34), bar(48)},      {"ending", bar(48), bar(52)},
    };
}

}  // namespace

Score compose_film_music() {
    Score score = score_with_orchestra();
    score.beats_per_minute = kBeatsPerMinute;
    score.length_seconds = kFileSeconds;
    score.silent_from_seconds = kSilentFromSeconds;
    score.dynamics = film_dynamics();
    score.sections = film_sections();

    write_night_opening(score);
    write_sunrise(score);
    write_noon(score);
    write_sunset(score);
    write_hush(score);
    write_firefly_rise(score);
    write_flight(score);
    write_ending(score);
    return score;
}

}  // namespace lumenvale::music
