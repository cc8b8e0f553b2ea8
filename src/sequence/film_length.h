#pragma once

#include <cstdint>
#include <vector>

#include "sequence/camera_shot.h"

// The number of frames the film lasts when its clock advances exactly 1/fps per frame, from its
// first frame up to and including the one on which the fade-out reaches black. Every shot ends
// on the first frame at or after its end, so the count depends a little on the frame rate.
std::int64_t FilmFrameCount(const std::vector<CameraShot>& cameraShots, int fps);
