#include "render/scene_layout.h"

#include <glm/gtc/constants.hpp>
#include <glm/gtc/matrix_transform.hpp>

namespace scene_layout {

glm::mat4 WellModel() {
    return glm::scale(glm::translate(glm::mat4(1.0f), kWellBase), glm::vec3(kWellScale));
}

glm::mat4 TerrainModel() {
    return glm::translate(glm::mat4(1.0f), glm::vec3(0.0f, -kTerrainDrop, 0.0f));
}

glm::mat4 WaterModel() {
    return glm::translate(glm::mat4(1.0f), glm::vec3(0.0f, kWaterLevel, 0.0f));
}

glm::mat4 FireflyRestModel() {
    const glm::mat4 placed =
        glm::scale(glm::translate(glm::mat4(1.0f), glm::vec3(0.0f, 1.0f, -3.0f)), glm::vec3(0.1f));
    return glm::rotate(placed, -glm::half_pi<float>(), glm::vec3(1.0f, 0.0f, 0.0f));
}

glm::vec3 SunStartPosition() {
    return kSunDistance * glm::normalize(glm::vec3(1.0f, 1.0f, 0.0f));
}

}  // namespace scene_layout
