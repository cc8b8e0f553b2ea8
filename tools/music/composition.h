#pragma once

#include "score.h"

namespace lumenvale::music {

// The film's music: a night opening, sunrise, a full theme at noon, a warm sunset, a hush as the
// camera looks into the water, the firefly's rise and flight, and a resolved ending.
Score ComposeFilmMusic();

}  // namespace lumenvale::music
