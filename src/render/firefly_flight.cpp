#include "render/firefly_flight.h"

#include <algorithm>
#include <cmath>
#include <glm/gtc/constants.hpp>
#include <glm/gtc/matrix_transform.hpp>

#include "render/scene_layout.h"
#include "sequence/smooth01.h"

namespace {

float RoundLength(const std::vector<PathShot>& fireflyPath) {
    double length = 0.0;
    for (const PathShot& leg : fireflyPath) length += leg.duration;
    return static_cast<float>(length);
}

}  // namespace

FireflyFlight::FireflyFlight(const std::vector<PathShot>& fireflyPath, float pathStartTime)
    : pathStartTime(pathStartTime),
      fireflyPath(fireflyPath),
      routeStartTime(pathStartTime),
      roundLength(RoundLength(fireflyPath)) {}

glm::mat4 FireflyFlight::Update(float now, float deltaTime) {
    const PathShot& leg = fireflyPath[pathIndex];
    const float u = (now - pathStartTime) / leg.duration;
    const float a = u < 0.0f ? 0.0f : (u > 1.0f ? 1.0f : smooth01(u));
    const float b = 1.0f - a;
    glm::vec3 position = leg.endPos * a + leg.startPos * b;

    // Legs that only rise or hover keep the heading they had.
    const glm::vec3 direction = LegDirection(pathIndex);
    if (direction != glm::vec3(0.0f)) fireflyTargetHeading = direction;
    if (!fireflyInitialized) {
        fireflyInitialized = true;
        fireflyHeading = fireflyTargetHeading;
    }
    // Follows a change of direction with a time constant of 0.4 s.
    const float k = deltaTime * 2.5f;
    fireflyHeading = glm::normalize(fireflyTargetHeading * k + fireflyHeading * (1.0f - k));

    // The phases are float products; their sines and cosines are taken in double precision.
    const float w = 15.0f * now;
    const double phaseX = w, phaseY = 1.3f * w, phaseZ = 0.8f * w;
    position.x += static_cast<float>(std::sin(phaseX) * static_cast<double>(0.01f));
    position.y += static_cast<float>(std::cos(phaseY) * static_cast<double>(0.01f) *
                                     static_cast<double>(0.7f));
    position.z += static_cast<float>(std::sin(phaseZ) * static_cast<double>(0.01f) * 0.5);

    // Headings are horizontal, so the firefly only turns about the vertical axis.
    const glm::vec3 forward = fireflyHeading;
    const glm::vec3 right = glm::normalize(glm::cross(glm::vec3(0.0f, 1.0f, 0.0f), forward));
    const glm::vec3 up = glm::cross(forward, right);
    const glm::mat4 orientation(glm::vec4(right, 0.0f), glm::vec4(up, 0.0f),
                                glm::vec4(-forward, 0.0f), glm::vec4(position, 1.0f));
    // The model flies along its +Y with its +Z up.
    const glm::mat4 model =
        glm::scale(glm::rotate(orientation, -glm::half_pi<float>(), glm::vec3(1.0f, 0.0f, 0.0f)),
                   glm::vec3(scene_layout::kFireflyFlightScale));

    if (u >= 1.0f) {
        pathStartTime = now;
        fireflyHeading = fireflyTargetHeading;
        pathIndex = (pathIndex + 1) % static_cast<int>(fireflyPath.size());
    }
    return model;
}

void FireflyFlight::Seek(float now) {
    const int legs = static_cast<int>(fireflyPath.size());
    while (now - pathStartTime >= fireflyPath[pathIndex].duration) {
        pathStartTime += fireflyPath[pathIndex].duration;
        pathIndex = (pathIndex + 1) % legs;
    }
    while (now < pathStartTime && pathStartTime > routeStartTime) {
        pathIndex = (pathIndex + legs - 1) % legs;
        pathStartTime -= fireflyPath[pathIndex].duration;
    }
    // Half a leg of margin: the next round's first leg starts a whole round after the route did.
    const bool firstRound =
        pathStartTime + 0.5f * fireflyPath.back().duration < routeStartTime + roundLength;
    const glm::vec3 start = HeadingAtStartOf(pathIndex, firstRound);
    const glm::vec3 direction = LegDirection(pathIndex);
    fireflyTargetHeading = direction != glm::vec3(0.0f) ? direction : start;
    // The turn towards the leg's direction, as frame after frame makes it: the start heading's
    // share falls by e for every 0.4 s.
    const float kept = std::exp(-2.5f * std::max(now - pathStartTime, 0.0f));
    const glm::vec3 blend = fireflyTargetHeading * (1.0f - kept) + start * kept;
    fireflyHeading = glm::length(blend) > 1e-6f ? glm::normalize(blend) : fireflyTargetHeading;
    fireflyInitialized = true;
}

glm::vec3 FireflyFlight::LegDirection(int index) const {
    const PathShot& leg = fireflyPath[index];
    const glm::vec3 direction(leg.endPos.x - leg.startPos.x, 0.0f, leg.endPos.z - leg.startPos.z);
    if (direction.x * direction.x + direction.z * direction.z > 1e-6f)
        return glm::normalize(direction);
    return glm::vec3(0.0f);
}

glm::vec3 FireflyFlight::HeadingAtStartOf(int index, bool firstRound) const {
    const int legs = static_cast<int>(fireflyPath.size());
    // The last leg before this one that went somewhere; on the first round only its own legs.
    const int searched = firstRound ? index : legs;
    for (int back = 1; back <= searched; ++back) {
        const glm::vec3 direction = LegDirection((index - back + legs) % legs);
        if (direction != glm::vec3(0.0f)) return direction;
    }
    return kStartHeading;
}
