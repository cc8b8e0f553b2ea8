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
std::vector<DynamicPoint> FilmDynamics() {
    return {
        {Bar(0), 0.70},    {Bar(3.5), 0.74},  {Bar(4), 0.76},    {Bar(11), 0.84},
        {Bar(15.7), 0.97}, {Bar(16), 1.00},   {Bar(23.5), 1.00}, {Bar(24), 0.94},
        {Bar(27.5), 0.80}, {Bar(28), 0.72},   {Bar(30), 0.74},   {Bar(31), 0.78},
        {Bar(34), 0.80},   {Bar(45.5), 0.88}, {Bar(48), 0.90},   {Bar(50.6), 0.76},
    };
}

std::vector<Section> FilmSections() {
    return {
        {"night opening", Bar(0), Bar(4)}, {"sunrise", Bar(4), Bar(16)},
        {"noon", Bar(16), Bar(24)},        {"sunset", Bar(24), Bar(28)},
        {"hush", Bar(28), Bar(30)},        {"firefly rise", Bar(30), Bar(34)},
        {"flight", Bar(34), Bar(48)},      {"ending", Bar(48), Bar(52)},
    };
}

}  // namespace

Score ComposeFilmMusic() {
    Score score = ScoreWithOrchestra();
    score.beatsPerMinute = kBeatsPerMinute;
    score.lengthSeconds = kFileSeconds;
    score.silentFromSeconds = kSilentFromSeconds;
    score.dynamics = FilmDynamics();
    score.sections = FilmSections();

    WriteNightOpening(score);
    WriteSunrise(score);
    WriteNoon(score);
    WriteSunset(score);
    WriteHush(score);
    WriteFireflyRise(score);
    WriteFlight(score);
    WriteEnding(score);
    return score;
}

}  // namespace lumenvale::music
