#pragma once

#include <glm/glm.hpp>
#include <vector>

#include "gfx/camera.h"
#include "render/frame_renderer.h"
#include "render/scene.h"
#include "sequence/camera_shot.h"

// Puts the camera, the sun and the firefly where the film has them `filmTime` seconds after its
// start, and returns what the frame's passes need.
FrameInputs SetUpFilmMoment(Scene& scene, Camera& camera, const std::vector<CameraShot>& shots,
                            const std::vector<PathShot>& fireflyPath, float filmTime);
