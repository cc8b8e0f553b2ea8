#include "app/film.h"

#include "sequence/shot_tables.h"

Film::Film(const Console& console, int width, int height, std::unique_ptr<Clock> clock,
           bool withFullPath)
    : scene(console, withFullPath),
      timeline(MakeFilmTimeline()),
      fireflyPath(MakeFireflyPath()),
      camera(width, height, glm::vec3(0.0f, 0.0f, 2.0f)),
      audio(console),
      clock(std::move(clock)) {}
