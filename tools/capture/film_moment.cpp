#include "film_moment.h"

#include <algorithm>

#include "render/day_night.h"
#include "render/firefly_flight.h"
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

FrameInputs SetUpFilmMoment(Scene& scene, Camera& camera, const std::vector<CameraShot>& shots,
                            const std::vector<PathShot>& fireflyPath, float filmTime) {
    const CameraPose pose = NominalCameraPose(shots, filmTime);
    camera.position = pose.position;
    camera.orientation = glm::normalize(pose.lookAt - pose.position);
    // The firefly's clock runs from the start of the film; a leg ends on a frame of its own.
    FireflyFlight firefly(fireflyPath, 0.0f);
    for (float t = 0.0f; t < filmTime; t += 0.25f) firefly.Update(t, 0.25f);
    scene.fireflyModel = firefly.Update(filmTime, 0.25f);

    FrameInputs frame;
    frame.sun =
        SunAt(static_cast<float>(DayNightCycle::kStartAngle + DayNightCycle::kRate * filmTime));
    frame.time = filmTime;
    return frame;
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
