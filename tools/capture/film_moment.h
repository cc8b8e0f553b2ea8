#pragma once

#include <glm/glm.hpp>
#include <vector>

#include "gfx/camera.h"
#include "render/frame_renderer.h"
#include "render/scene.h"
#include "sequence/camera_shot.h"

// The camera of the film at `filmTime` seconds, assuming every shot starts the moment the one
// before it ends.
struct CameraPose {
    glm::vec3 position;
    glm::vec3 lookAt;
};
CameraPose NominalCameraPose(const std::vector<CameraShot>& shots, float filmTime);

// Puts the camera, the sun and the firefly where the film has them `filmTime` seconds after its
// start, and returns what the frame's passes need.
FrameInputs SetUpFilmMoment(Scene& scene, Camera& camera, const std::vector<CameraShot>& shots,
                            const std::vector<PathShot>& fireflyPath, float filmTime);

// The film time half-way through each shot, on the same assumption.
std::vector<float> ShotMiddles(const std::vector<CameraShot>& shots);
