#include <emscripten.h>

#include "app/playback_clock.h"

namespace {

// The bodies of EM_JS are JavaScript.
// clang-format off

// The page's `Module.filmAt` in seconds, or a negative number while it does not hold the film.
EM_JS(double, PageHeldSecond, (), {
    const at = Module.filmAt;
    return typeof at === 'number' && at >= 0 ? at : -1;
});

class PageClock final : public Clock {
  public:
    double Now() const override {
        const double held = PageHeldSecond();
        return held >= 0.0 ? held : running.Now();
    }

  private:
    GlfwClock running;
};
// clang-format on

}  // namespace

std::unique_ptr<Clock> MakePlaybackClock() {
    return std::make_unique<PageClock>();
}
