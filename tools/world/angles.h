#pragma once

// The generators' angles, in the float arithmetic every model and texture was made with.
constexpr float kPi = 3.14159265358979f;
constexpr float kDegrees = kPi / 180.0f;
