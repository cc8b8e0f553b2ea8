#pragma once

#include <glm/glm.hpp>
#include <vector>

#include "sequence/camera_shot.h"

// The camera of the film at a moment: where it stands and the point it looks at.
struct CameraPose {
    glm::vec3 position;
    glm::vec3 lookAt;
};

// The camera `t` of the way through `shot` (0 at its start, 1 at its end), eased in and out.
CameraPose PoseInShot(const CameraShot& shot, float t);

// The fade-in, and the fade-out after the last shot, take this long.
constexpr double kFadeSeconds = 2.0;
// How far a fade has gone `seconds` after it began: 0 at its start, 1 at its end and beyond.
inline double FadeProgress(double seconds) {
    return seconds * (1.0 / kFadeSeconds);
}

// The film's shape, in seconds from its first frame, with every shot starting the moment the one
// before it ends.
class FilmTimeline {
  public:
    explicit FilmTimeline(std::vector<CameraShot> cameraShots);

    const std::vector<CameraShot>& CameraShots() const { return cameraShots; }
    // Where the last shot ends, and where the fade-out after it reaches black.
    double LastShotEnd() const { return lastShotEnd; }
    double End() const { return lastShotEnd + kFadeSeconds; }

    // The shot playing at `position` and where it started; the last shot from its start on.
    struct ShotAt {
        int index;
        double start;
    };
    ShotAt ShotAtPosition(double position) const;
    const std::vector<double>& ShotStarts() const { return shotStarts; }
    // Half-way through each shot.
    std::vector<float> ShotMiddles() const;
    // The eased camera at `position`: the first shot's start before it, the last shot's end after.
    CameraPose NominalCameraPose(float position) const;

  private:
    std::vector<CameraShot> cameraShots;
    std::vector<double> shotStarts;
    double lastShotEnd = 0.0;
};
