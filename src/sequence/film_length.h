#pragma once

#include <cstdint>
#include <optional>
#include <string>

// Film seconds as the program's lines write them: "42.30 s".
std::string FilmSeconds(double seconds);

// "the end of the film (129.02 s at 60 fps)": where a film of `filmFrames` frames ends.
std::string FilmEndText(std::int64_t filmFrames, int fps);

// Why the film cannot start `from` seconds in (nothing when it can): at least one frame of it
// must be left at `fps`.
std::optional<std::string> FilmStartError(double from, std::int64_t filmFrames, int fps);
