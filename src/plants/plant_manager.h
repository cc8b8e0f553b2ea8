#pragma once

#include <cstdint>
#include <glm/glm.hpp>
#include <vector>

#include "gfx/mesh.h"
#include "gfx/vertex.h"
#include "plants/plant_instance.h"
#include "plants/plant_type.h"

// Scatters plants over the terrain by height with seeded draws and builds one mesh per plant.
// The same vertices and seed always give the same plants.
class PlantManager {
  public:
    // Plants grow from the height limit down to this depth below it.
    static constexpr float kBandDepth = 30.0f;

    std::vector<PlantInstance> plants;

    void Clear();

    // True when heightLimit - kBandDepth <= position.y < heightLimit.
    bool IsSuitableForPlant(const glm::vec3& position, float heightLimit) const;
    PlantType GetPlantTypeForHeight(float height, float heightLimit) const;

    // Replaces `plants`: count attempts, each on a random vertex (world space) below
    // heightLimit; attempts that land below the band place nothing.
    void GeneratePlantsOnTerrain(const std::vector<Vertex>& terrainVertices, float heightLimit,
                                 int count, uint32_t seed);

    // One world-space mesh per plant that has geometry, in `plants` order. Needs a current GL
    // context; `plants` is left as it is.
    std::vector<Mesh> CreatePlantMeshes() const;
};
