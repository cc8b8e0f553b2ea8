#include "film_music.h"

#include "fluid_renderer.h"
#include "mastering.h"

namespace lumenvale::music {

namespace {

// Long enough to hide any onset at the very first sample, too short to be heard as a fade.
constexpr double kFadeInSeconds = 0.05;
// The final chord's reverb is still ringing when it is released; this fade takes it to silence.
constexpr double kTailFadeSeconds = 3.5;

}  // namespace

std::vector<std::int16_t> render_film_music(const Score& score, const std::string& soundfont_path) {
    StereoBuffer buffer = render_score(score, soundfont_path, score.length_seconds);
    remove_dc(buffer);
    fade_in(buffer, kFadeInSeconds);
    fade_out(buffer, score.silent_from_seconds - kTailFadeSeconds, score.silent_from_seconds);
    normalise_peak(buffer, kFilmPeakDbfs);
    return to_pcm16(buffer);
}

}  // namespace lumenvale::music
