#include "app/film_session.h"

FilmSession::FilmSession(const WindowOpener& openWindow, const Console& console)
    : console(console), window(openWindow(console.err)) {
    if (!window) return;
    LoadGlEntryPoints(window);
    SetFixedViewport();
}

FilmSession::~FilmSession() {
    if (film) film->Release();
    if (window) glfwDestroyWindow(window);
    glfwTerminate();
    film.reset();  // the music player closes its device last
}

Film& FilmSession::BuildFilm(int width, int height, std::unique_ptr<Clock> clock,
                             bool withFullPath) {
    film = std::make_unique<Film>(console, width, height, std::move(clock), withFullPath);
    return *film;
}
