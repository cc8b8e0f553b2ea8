#include "film_moment.h"

#include <algorithm>

#include "sequence/smooth01.h"

CameraPose NominalCameraPose(const std::vector<CameraShot>& shots, float filmTime) {
    float shotStart = 0.0f;
    for (const CameraShot& shot : shots) {
        if (filmTime < shotStart + shot.duration || &shot == &shots.back()) {
            const float t = std::clamp((filmTime - shotStart) / shot.duration, 0.0f, 1.0f);
            const float s = smooth01(t);
            return {shot.startPos * (1.0f - s) + shot.endPos * s,
                    shot.startLookAt * (1.0f - s) + shot.endLookAt * s};
        }
        shotStart += shot.duration;
    }
    return {glm::vec3(0.0f), glm::vec3(0.0f, 0.0f, -1.0f)};
}

std::vector<float> ShotMiddles(const std::vector<CameraShot>& shots) {
    std::vector<float> middles;
    float shotStart = 0.0f;
    for (const CameraShot& shot : shots) {
        middles.push_back(shotStart + 0.5f * shot.duration);
        shotStart += shot.duration;
    }
    return middles;
}
