#include "sequence/film_length.h"

#include <cstdio>

std::string FilmSeconds(double seconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f s", seconds);
    return text;
}

std::string FilmEndText(std::int64_t filmFrames, int fps) {
    return "the end of the film (" + FilmSeconds(static_cast<double>(filmFrames) / fps) + " at " +
           std::to_string(fps) + " fps)";
}

std::optional<std::string> FilmStartError(double from, std::int64_t filmFrames, int fps) {
    if (from * fps < static_cast<double>(filmFrames) - 0.5) return std::nullopt;
    return "--from is at or after " + FilmEndText(filmFrames, fps);
}
