#pragma once

#include <functional>
#include <memory>
#include <ostream>

#include "app/film.h"
#include "app/window.h"
#include "base/clock.h"
#include "base/console.h"

// One run of the film in a window, for the player and for each tool that shows or measures it:
// opens the window, makes its OpenGL 3.3 context current, builds the film in it and, when it goes,
// shuts down in the film's order: the GL objects the context would not take with it, the window,
// the window library, then the music player with its device. Whatever draws the film must go
// before the session.
class FilmSession {
  public:
    // Opens a window and returns it, or null after saying why on the stream.
    using WindowOpener = std::function<GLFWwindow*(std::ostream& err)>;

    // No window: Open() says so, and the session only terminates the window library.
    FilmSession(const WindowOpener& openWindow, const Console& console);
    ~FilmSession();
    FilmSession(const FilmSession&) = delete;
    FilmSession& operator=(const FilmSession&) = delete;

    // The window opened, its context current and its viewport set.
    bool Open() const { return window != nullptr; }
    GLFWwindow* Window() const { return window; }

    // Builds the film (a picture of `width` x `height` on `clock`) and returns it; throws what
    // the film's scene throws. `withFullPath` as for the scene.
    Film& BuildFilm(int width, int height, std::unique_ptr<Clock> clock, bool withFullPath = false);
    Film& TheFilm() const { return *film; }

  private:
    Console console;
    GLFWwindow* window = nullptr;
    std::unique_ptr<Film> film;
};
