#pragma once

#include <glm/glm.hpp>
#include <ostream>

// Everything that follows from the sun's angle for one frame.
struct SunState {
    float sunAngle;        // radians; 0 rising in +x, pi/2 overhead, pi setting in -x
    glm::vec3 sunPos;      // 150 units from the origin, in the xy plane
    glm::vec3 moonPos;     // opposite the sun
    float sunHeight;       // sunPos.y / 150
    float nightFactor;     // -sunHeight below the horizon, else 0
    glm::vec3 lightColor;  // colour of the light on the lit objects
};

// The sun at `angle` and what it implies.
SunState SunAt(float angle);

// The sun's place in the sky at the film's first frame and how fast it turns: -30 degrees, the
// film opens at night, and one turn every 120 s.
constexpr float kSunStartAngle = -0.5235988f;
constexpr double kSunRate = 0.05235987901687622;  // radians per second

// The sun's angle `seconds` after it stood at `startAngle`, turning all the while.
float SunAngleAfter(double seconds, float startAngle = kSunStartAngle);

// The sun turns once every 120 s from its start angle. Rotation can be paused and resumed without
// a jump, and the cycle restarts with the film.
class DayNightCycle {
  public:
    static constexpr float kStartAngle = kSunStartAngle;
    static constexpr double kRate = kSunRate;

    bool sunRotationEnabled = true;
    float dayCycleStartAngle = kStartAngle;
    double dayCycleStartTime = 0.0;
    float sunAngle = kStartAngle;

    // Takes the cycle's start time once, on the first frame.
    void InitializeOnce(double now);
    // Restarts the cycle from its start angle at `now` (the film starts or restarts).
    void Restart(double now);
    // R: pauses, or resumes from the current angle as of `previousFrameTime`.
    void ToggleRotation(double previousFrameTime);
    // Turns the sun for the frame's time sample `t`.
    SunState Advance(double t);
    // Prints the "Day/Night cycle: " line at most once every 5 s while the sun turns. The first
    // line switches `out` to fixed notation with 2 decimals, and it stays so for the whole run.
    void PrintDiagnostic(double t, std::ostream& out);

  private:
    bool initialized = false;
    double lastDebugTime = 0.0;
};
