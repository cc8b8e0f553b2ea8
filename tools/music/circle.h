#pragma once

namespace lumenvale::music {

// Half a turn, for the filters' and the analysis' angles.
constexpr double kPi = 3.14159265358979323846;

}  // namespace lumenvale::music
