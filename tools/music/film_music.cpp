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

std::vector<std::int16_t> RenderFilmMusic(const Score& score, const std::string& soundfontPath) {
    StereoBuffer buffer = RenderScore(score, soundfontPath, score.lengthSeconds);
    RemoveDc(buffer);
    FadeIn(buffer, kFadeInSeconds);
    FadeOut(buffer, score.silentFromSeconds - kTailFadeSeconds, score.silentFromSeconds);
    NormalisePeak(buffer, kFilmPeakDbfs);
    return ToPcm16(buffer);
}

}  // namespace lumenvale::music
