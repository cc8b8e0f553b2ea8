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

    int pathIndex = 0;
    float pathStartTime;
    glm::vec3 fireflyTargetHeading{0.0f, 0.0f, -1.0f};
    glm::vec3 fireflyHeading{0.0f, 0.0f, -1.0f};

  private:
    const std::vector<PathShot>& fireflyPath;
    bool fireflyInitialized = false;
};
