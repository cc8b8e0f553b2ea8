// The page's controls read `Module.film` after every frame and ask for a seek through
// `Module.seekRequest`. The film's time between two frames is the page's own to work out from
// `at`, the page clock's reading that goes with `position`: a frame may take a second here.
#include <emscripten.h>

#include "app/page_film.h"

namespace {

// The bodies of EM_JS are JavaScript.
// clang-format off

EM_JS(void, PublishFilm, (double position, double length, int paused, int ended, int muted,
                          int automatic, int drawn), {
    if (drawn) Module.framesDrawn = (Module.framesDrawn || 0) + 1;
    Module.film = {position, length, paused: !!paused, ended: !!ended, muted: !!muted,
                   automatic: !!automatic, held: typeof Module.filmAt === 'number',
                   at: performance.now(), shots: Module.film ? Module.film.shots : []};
    if (Module.onFilmFrame) Module.onFilmFrame(Module.film);
});

EM_JS(void, PublishShots, (const double* starts, int count), {
    Module.film = Module.film || {};
    Module.film.shots = Array.from(HEAPF64.subarray(starts >> 3, (starts >> 3) + count));
});

// A negative number when no seek was asked for.
EM_JS(double, TakeSeekRequest, (), {
    const seconds = Module.seekRequest;
    Module.seekRequest = undefined;
    return typeof seconds === 'number' && isFinite(seconds) ? Math.max(seconds, 0) : -1;
});
// The page's canvas, sized by the page for the size it is shown at; width x 65536 + height, or 0
// while the page does not size it.
EM_JS(int, FitPageCanvas, (), {
    if (!Module.canvasSize) return 0;
    const size = Module.canvasSize();
    const canvas = Module.canvas;
    if (canvas.width !== size.width) canvas.width = size.width;
    if (canvas.height !== size.height) canvas.height = size.height;
    return size.width * 65536 + size.height;
});
// clang-format on

}  // namespace

void ShowFilmOnPage(const FilmOnPage& film) {
    PublishFilm(film.position, film.length, film.paused, film.ended, film.muted, film.automatic,
                film.drawn);
}

void MarkShotsOnPage(const std::vector<double>& starts) {
    PublishShots(starts.data(), static_cast<int>(starts.size()));
}

std::optional<double> TakePageSeek() {
    const double seconds = TakeSeekRequest();
    if (seconds < 0.0) return std::nullopt;
    return seconds;
}

std::optional<CanvasSize> PageCanvasSize() {
    const int packed = FitPageCanvas();
    if (packed <= 0) return std::nullopt;
    return CanvasSize{packed / 65536, packed % 65536};
}

// The canvas shows what was last drawn into it until something is drawn again.
bool KeepsLastPicture() {
    return true;
}
