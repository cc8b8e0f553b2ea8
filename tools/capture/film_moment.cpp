#include "film_moment.h"

#include "render/day_night.h"
#include "render/firefly_flight.h"
#include "sequence/film_timeline.h"

FrameInputs SetUpFilmMoment(Scene& scene, Camera& camera, const std::vector<CameraShot>& shots,
                            const std::vector<PathShot>& fireflyPath, float filmTime) {
    const CameraPose pose = FilmTimeline(shots).NominalCameraPose(filmTime);
    camera.position = pose.position;
    camera.orientation = glm::normalize(pose.lookAt - pose.position);
    // The firefly's clock runs from the start of the film; a leg ends on a frame of its own.
    FireflyFlight firefly(fireflyPath, 0.0f);
    for (float t = 0.0f; t < filmTime; t += 0.25f) firefly.Update(t, 0.25f);
    scene.fireflyModel = firefly.Update(filmTime, 0.25f);

    FrameInputs frame;
    frame.sun = SunAt(SunAngleAt(filmTime));
    frame.time = filmTime;
    return frame;
}
