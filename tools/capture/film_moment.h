#pragma once

#include <memory>

#include "app/film.h"
#include "base/console.h"
#include "render/frame_renderer.h"

// The film as the player builds it, at the window's size, to be shown at moments of our choosing:
// its clock stands at 0, each moment being set up by SetUpFilmMoment. `withFullPath` as for the
// scene. Release it before the window goes.
std::unique_ptr<Film> MakeFilmForMoments(const Console& console, bool withFullPath = false);

// Puts the film's camera, the sun and the firefly where the film has them `filmTime` seconds after
// its start, and returns what the frame's passes need.
FrameInputs SetUpFilmMoment(Film& film, float filmTime);
