#pragma once

#include <glm/glm.hpp>
#include <vector>

#include "sequence/camera_shot.h"

// The firefly's looping route: each leg eased from rest to rest, the heading turning smoothly
// towards the leg's direction, and a small hovering wobble. Independent of the camera sequence.
class FireflyFlight {
  public:
    FireflyFlight(const std::vector<PathShot>& fireflyPath, float pathStartTime);

    // Moves the firefly to its place at `now` and returns its model matrix.
    glm::mat4 Update(float now, float deltaTime);
    // The clock has jumped to `now`: the leg, its start and the heading become what they would be
    // had the firefly flown there, each leg starting as the one before it ends.
    void Seek(float now);

    int pathIndex = 0;
    float pathStartTime;
    static inline const glm::vec3 kStartHeading{0.0f, 0.0f, -1.0f};  // before any leg turns it

    glm::vec3 fireflyTargetHeading = kStartHeading;
    glm::vec3 fireflyHeading = kStartHeading;

  private:
    // The direction of leg `index` across the ground; zero for legs that only rise or hover.
    glm::vec3 LegDirection(int index) const;
    // The heading the firefly has when leg `index` begins, on its first round or a later one.
    glm::vec3 HeadingAtStartOf(int index, bool firstRound) const;

    const std::vector<PathShot>& fireflyPath;
    const float routeStartTime;  // when the first leg of the first round began
    const float roundLength;     // one round of the route, every leg flown once
    bool fireflyInitialized = false;
};
