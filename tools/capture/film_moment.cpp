#include "film_moment.h"

#include "base/stepped_clock.h"
#include "render/day_night.h"
#include "render/film_view.h"
#include "render/firefly_flight.h"
#include "sequence/film_timeline.h"

std::unique_ptr<Film> MakeFilmForMoments(const Console& console, bool withFullPath) {
    return std::make_unique<Film>(console, kWindowWidth, kWindowHeight,
                                  std::make_unique<SteppedClock>(1), withFullPath);
}

FrameInputs SetUpFilmMoment(Film& film, float filmTime) {
    Camera& camera = film.camera;
    const CameraPose pose = FilmTimeline(film.cameraShots).NominalCameraPose(filmTime);
    camera.position = pose.position;
    camera.orientation = glm::normalize(pose.lookAt - pose.position);
    // The firefly's clock runs from the start of the film; a leg ends on a frame of its own.
    FireflyFlight firefly(film.fireflyPath, 0.0f);
    for (float t = 0.0f; t < filmTime; t += 0.25f) firefly.Update(t, 0.25f);
    film.scene.fireflyModel = firefly.Update(filmTime, 0.25f);

    FrameInputs frame;
    frame.sun = SunAt(SunAngleAt(filmTime));
    frame.time = filmTime;
    return frame;
}
