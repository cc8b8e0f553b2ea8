#pragma once

#include <glm/glm.hpp>

// Where the player puts the generated models, and the fixed levels of the scene. The generator
// shapes its models around these numbers; the tests check the files against them.
namespace scene {

// The terrain file is drawn one unit lower than it is written.
constexpr float kTerrainDrop = 1.0f;
constexpr float kWaterLevel = 0.5f;

// The well: translated to wellBase, then scaled uniformly; its base is at model y = 0.
inline const glm::vec3 kWellBase(-3.38f, 0.8f, -14.1f);
constexpr float kWellScale = 0.12f;

// The firefly's first 75 s are spent hovering here, just above the well's shaft.
inline const glm::vec3 kFireflyHover(-3.60725f, 1.38718f, -14.0856f);
constexpr float kFireflyFlightScale = 0.06f;

// Plants are placed on terrain corners in this world-height band.
constexpr float kPlantHeightLimit = 0.5f;
constexpr float kPlantBandDepth = 30.0f;

// The water plane and the sea floor under it reach this far from the origin in x and z.
constexpr float kSeaHalfExtent = 150.0f;

}  // namespace scene
