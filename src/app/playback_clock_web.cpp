#include "app/playback_clock.h"
#include "base/page_web.h"

namespace {

class PageClock final : public Clock {
  public:
    double Now() const override {
        const double held = lumenvale_held_second();
        return held >= 0.0 ? held : running.Now();
    }

  private:
    GlfwClock running;
};

}  // namespace

std::unique_ptr<Clock> MakePlaybackClock() {
    return std::make_unique<PageClock>();
}
