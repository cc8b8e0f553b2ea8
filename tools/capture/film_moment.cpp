#include "film_moment.h"

#include "base/stepped_clock.h"
#include "render/day_night.h"
#include "render/film_view.h"
#include "render/firefly_flight.h"

std::unique_ptr<Clock> MakeMomentClock() {
    return std::make_unique<SteppedClock>(1);
}

FrameInputs SetUpFilmMoment(Film& film, float filmTime) {
    Camera& camera = film.camera;
    const CameraPose pose = film.timeline.NominalCameraPose(filmTime);
    camera.position = pose.position;
    camera.orientation = glm::normalize(pose.lookAt - pose.position);
    // The firefly's route starts with the film, and is flown to the moment as a seek flies it.
    FireflyFlight firefly(film.fireflyPath, 0.0f);
    firefly.Seek(filmTime);
    film.scene.fireflyModel = firefly.Update(filmTime, 0.0f);

    FrameInputs frame;
    frame.sun = SunAt(SunAngleAfter(filmTime));
    frame.time = filmTime;
    return frame;
}
