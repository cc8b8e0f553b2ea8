#pragma once

#include <vector>

#include "sequence/camera_shot.h"
#include "sequence/film_timeline.h"

// The film's 23 camera shots, 127 s in all; each shot starts where the previous one ends.
std::vector<CameraShot> MakeCameraShots();

// The firefly's looping route: 7 legs, 130 s per loop, starting with a long hover by the well.
std::vector<PathShot> MakeFireflyPath();

// The film's shape from its shots: the one timeline a film holds, and what a check of the film's
// length before the film is built reads.
FilmTimeline MakeFilmTimeline();
