#pragma once

#include <vector>

#include "sequence/camera_shot.h"

// The film's 23 camera shots, 127 s in all; each shot starts where the previous one ends.
std::vector<CameraShot> MakeCameraShots();

// The firefly's looping route: 7 legs, 130 s per loop, starting with a long hover by the well.
std::vector<PathShot> MakeFireflyPath();
