#include "app/playback_clock.h"

std::unique_ptr<Clock> MakePlaybackClock() {
    return std::make_unique<GlfwClock>();
}
