#pragma once

#include <cstdint>
#include <glm/glm.hpp>
#include <vector>

#include "sequence/camera_shot.h"

// The sun's place in the sky at the film's first frame and how fast it turns: -30 degrees, the
// film opens at night, and one turn every 120 s.
constexpr float kSunStartAngle = -0.5235988f;
constexpr double kSunRate = 0.05235987901687622;  // radians per second

// The camera of the film at a moment: where it stands and the point it looks at.
struct CameraPose {
    glm::vec3 position;
    glm::vec3 lookAt;
};

// The film's shape, in seconds from its first frame, with every shot starting the moment the one
// before it ends and the firefly's route starting on the first frame.
class FilmTimeline {
  public:
    explicit FilmTimeline(std::vector<CameraShot> cameraShots,
                          std::vector<PathShot> fireflyPath = {});

    // The fade-in, and the fade-out after the last shot.
    static constexpr double kFadeSeconds = 2.0;

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

    // The leg of the firefly's looping route at `position` and where it started.
    ShotAt FireflyLegAt(double position) const;
    // One loop of the firefly's route.
    double FireflyRoundLength() const;

    // The number of frames the film lasts when its clock advances exactly 1/fps per frame, from
    // its first frame up to and including the one on which the fade-out reaches black. A shot
    // ends on the first frame at or after its end, so the count depends a little on the rate.
    std::int64_t FrameCount(int fps) const;

  private:
    std::vector<CameraShot> cameraShots;
    std::vector<PathShot> fireflyPath;
    std::vector<double> shotStarts;
    double lastShotEnd = 0.0;
};

// The sun's angle `position` seconds into the film.
float SunAngleAt(float position);
