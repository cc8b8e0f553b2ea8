#pragma once

#include <glm/glm.hpp>
#include <vector>

#include "sequence/camera_shot.h"

// The camera of the film at `filmTime` seconds, assuming every shot starts the moment the one
// before it ends.
struct CameraPose {
    glm::vec3 position;
    glm::vec3 lookAt;
};
CameraPose NominalCameraPose(const std::vector<CameraShot>& shots, float filmTime);

// The film time half-way through each shot, on the same assumption.
std::vector<float> ShotMiddles(const std::vector<CameraShot>& shots);
