#pragma once

#include <memory>

#include "base/clock.h"

// The clock a played film runs on: the windowing library's. In the browser the page may hold
// the film still at a second of its own choosing (its `at` setting), to look at one moment.
std::unique_ptr<Clock> MakePlaybackClock();
