// The page's controls read the film after every frame and ask for seeks
// (web/film_page_library.js). The film's time between two frames is the page's own to work out:
// a frame may take a second here.
#include "app/page_film.h"
#include "base/page_web.h"

void ShowFilmOnPage(const FilmOnPage& film) {
    lumenvale_publish_film(film.position, film.length, film.paused, film.ended, film.muted,
                           film.automatic, film.drawn);
}

void MarkShotsOnPage(const std::vector<double>& starts) {
    lumenvale_publish_shots(starts.data(), static_cast<int>(starts.size()));
}

std::optional<double> TakePageSeek() {
    const double seconds = lumenvale_take_seek();
    if (seconds < 0.0) return std::nullopt;
    return seconds;
}

std::optional<CanvasSize> PageCanvasSize() {
    const int packed = lumenvale_fit_canvas();
    if (packed <= 0) return std::nullopt;
    return CanvasSize{packed / 65536, packed % 65536};
}

// The canvas shows what was last drawn into it until something is drawn again.
bool KeepsLastPicture() {
    return true;
}
