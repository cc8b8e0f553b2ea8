#pragma once

namespace lumenvale::music {

constexpr double kPi = 3.14159265358979323846;

}  // namespace lumenvale::music
