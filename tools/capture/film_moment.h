#pragma once

#include <memory>

#include "app/film.h"
#include "base/clock.h"
#include "render/frame_renderer.h"

// The clock of a film shown at moments of our choosing: it stands at 0, each moment being set up
// by SetUpFilmMoment.
std::unique_ptr<Clock> MakeMomentClock();

// Puts the film's camera, the sun and the firefly where the film has them `filmTime` seconds after
// its start, and returns what the frame's passes need.
FrameInputs SetUpFilmMoment(Film& film, float filmTime);
