#pragma once

#include <glm/glm.hpp>

// One camera move or hold: the camera eases from startPos to endPos while its look-at point
// eases from startLookAt to endLookAt. Equal start and end fields make a hold.
struct CameraShot {
    glm::vec3 startPos;
    glm::vec3 endPos;
    glm::vec3 startLookAt;
    glm::vec3 endLookAt;
    float duration;
};

// One leg of the firefly's route.
struct PathShot {
    glm::vec3 startPos;
    glm::vec3 endPos;
    float duration;
};
