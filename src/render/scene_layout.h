#pragma once

#include <glm/glm.hpp>

// Where the scene's fixed objects stand in the world, and the scene's fixed levels. The world
// generator shapes its models around these numbers; the tests check the files against them.
namespace scene_layout {

// The terrain file is drawn one unit lower than it is written.
constexpr float kTerrainDrop = 1.0f;
constexpr float kWaterLevel = 0.5f;

// The well: translated to kWellBase, then scaled uniformly; its base is at model y = 0.
inline const glm::vec3 kWellBase(-3.38f, 0.8f, -14.1f);
constexpr float kWellScale = 0.12f;

// The firefly's first 75 s are spent hovering here, just above the well's shaft.
inline const glm::vec3 kFireflyHover(-3.60725f, 1.38718f, -14.0856f);
constexpr float kFireflyFlightScale = 0.06f;

// Plants are placed on terrain corners below this world height (and less than
// PlantManager::kBandDepth below it).
constexpr float kPlantHeightLimit = 0.5f;

// The water plane and the sea floor under it reach this far from the origin in x and z.
constexpr float kSeaHalfExtent = 150.0f;

// The islands' tiled detail texture (sand ripples and grain) repeats every this many units.
constexpr float kTerrainDetailTile = 4.0f;

// The sun and the moon circle the origin at this distance.
constexpr float kSunDistance = 150.0f;

glm::mat4 WellModel();     // on its island, scaled to size
glm::mat4 TerrainModel();  // the terrain file sits one unit too high
glm::mat4 WaterModel();    // the sea surface at y = 0.5
glm::mat4 FireflyRestModel();
glm::vec3 SunStartPosition();  // where the sun and moon quads are placed at start-up

}  // namespace scene_layout
