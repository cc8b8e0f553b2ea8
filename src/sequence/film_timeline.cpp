#include "sequence/film_timeline.h"

#include <algorithm>

#include "sequence/smooth01.h"

CameraPose PoseInShot(const CameraShot& shot, float t) {
    const float s = smooth01(t);
    return {shot.startPos * (1.0f - s) + shot.endPos * s,
            shot.startLookAt * (1.0f - s) + shot.endLookAt * s};
}

FilmTimeline::FilmTimeline(std::vector<CameraShot> cameraShots)
    : cameraShots(std::move(cameraShots)) {
    for (const CameraShot& shot : this->cameraShots) {
        shotStarts.push_back(lastShotEnd);
        lastShotEnd += shot.duration;
    }
}

FilmTimeline::ShotAt FilmTimeline::ShotAtPosition(double position) const {
    const int last = static_cast<int>(cameraShots.size()) - 1;
    int index = 0;
    while (index < last && position >= shotStarts[index + 1]) ++index;
    return {index, shotStarts[index]};
}

std::vector<float> FilmTimeline::ShotMiddles() const {
    std::vector<float> middles;
    for (size_t i = 0; i < cameraShots.size(); ++i)
        middles.push_back(static_cast<float>(shotStarts[i]) + 0.5f * cameraShots[i].duration);
    return middles;
}

CameraPose FilmTimeline::NominalCameraPose(float position) const {
    if (cameraShots.empty()) return {glm::vec3(0.0f), glm::vec3(0.0f, 0.0f, -1.0f)};
    const ShotAt at = ShotAtPosition(position);
    const CameraShot& shot = cameraShots[at.index];
    return PoseInShot(
        shot, std::clamp((position - static_cast<float>(at.start)) / shot.duration, 0.0f, 1.0f));
}
