#include "render/day_night.h"

#include <cmath>
#include <iomanip>

#include "render/scene_layout.h"

SunState SunAt(float angle) {
    SunState sun;
    sun.sunAngle = angle;
    // Sine and cosine of the float angle in double precision, as are the height line's below.
    const double exactAngle = angle;
    sun.sunPos =
        glm::vec3(static_cast<float>(std::cos(exactAngle) * scene_layout::kSunDistance),
                  static_cast<float>(std::sin(exactAngle) * scene_layout::kSunDistance), 0.0f);
    sun.moonPos = glm::vec3(0.0f) - sun.sunPos;
    sun.sunHeight = sun.sunPos.y / scene_layout::kSunDistance;
    sun.nightFactor = sun.sunHeight < 0.0f ? -sun.sunHeight : 0.0f;

    // Warm near the horizon, white with the sun (or the moon) overhead, dimmed at night but never
    // below a tenth of the day colour.
    const float w = 1.0f - std::abs(sun.sunHeight);
    sun.lightColor = (1.0f - w) * glm::vec3(1.0f) + w * glm::vec3(1.0f, 0.5f, 0.3f);
    if (sun.sunHeight < 0.0f) {
        const float m = sun.sunHeight + 1.0f;
        sun.lightColor *= m > 0.1f ? m : 0.1f;
    }
    return sun;
}

float SunAngleAfter(double seconds, float startAngle) {
    return static_cast<float>(kSunRate * seconds + startAngle);
}

void DayNightCycle::InitializeOnce(double now) {
    if (initialized) return;
    dayCycleStartTime = now;
    initialized = true;
}

void DayNightCycle::Restart(double now) {
    dayCycleStartTime = now;
}

void DayNightCycle::ToggleRotation(double previousFrameTime) {
    sunRotationEnabled = !sunRotationEnabled;
    if (sunRotationEnabled) {
        dayCycleStartAngle = sunAngle;
        dayCycleStartTime = previousFrameTime;
    }
}

SunState DayNightCycle::Advance(double t) {
    if (sunRotationEnabled) {
        sunAngle = SunAngleAfter(t - dayCycleStartTime, dayCycleStartAngle);
    }
    return SunAt(sunAngle);
}

void DayNightCycle::PrintDiagnostic(double t, std::ostream& out) {
    if (!sunRotationEnabled || !(t - lastDebugTime > 5.0)) return;
    const int percent = static_cast<int>(
        static_cast<float>(std::fmod(t - dayCycleStartTime, 120.0) / 120.0 * 100.0));
    const float height = static_cast<float>(std::sin(static_cast<double>(sunAngle)));
    out << "Day/Night cycle: " << percent << "% complete, Sun height: " << std::fixed
        << std::setprecision(2) << height << std::endl;
    lastDebugTime = t;
}
