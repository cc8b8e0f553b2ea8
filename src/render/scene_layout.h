#pragma once

#include <glm/glm.hpp>

// Where the scene's fixed objects stand in the world.
namespace scene_layout {

glm::mat4 WellModel();     // on its island, scaled to size
glm::mat4 TerrainModel();  // the terrain file sits one unit too high
glm::mat4 WaterModel();    // the sea surface at y = 0.5
glm::mat4 FireflyRestModel();
glm::vec3 SunStartPosition();  // where the sun and moon quads are placed at start-up

}  // namespace scene_layout
