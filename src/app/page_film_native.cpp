#include "app/page_film.h"

void ShowFilmOnPage(const FilmOnPage& /*film*/) {}

void MarkShotsOnPage(const std::vector<double>& /*starts*/) {}

std::optional<double> TakePageSeek() {
    return std::nullopt;
}

std::optional<CanvasSize> PageCanvasSize() {
    return std::nullopt;
}

// A window's buffers are swapped each frame, and what a frame leaves in them is undefined.
bool KeepsLastPicture() {
    return false;
}
