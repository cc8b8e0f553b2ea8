#include <gtest/gtest.h>

#include <algorithm>

#include "plants/islands_terrain.h"
#include "plants/plant_manager.h"
#include "support/gl_context.h"

namespace {

class TerrainPlacement : public GlTest {};

bool NearTheIslands(const PlantInstance& plant) {
    return plant.position.x >= -40.0f && plant.position.x <= 40.0f && plant.position.z >= -40.0f &&
           plant.position.z <= 40.0f;
}

}  // namespace

// The islands are shaped so that the start-up placement (200 attempts, seed 42) finds its band
// almost everywhere and crowds the plants around the islands where the camera flies.
TEST_F(TerrainPlacement, StartUpPlacementFillsTheBandAroundTheIslands) {
    const std::vector<Vertex> terrainVertices = IslandsTerrainVertices();
    ASSERT_FALSE(terrainVertices.empty()) << "cannot read " << kIslandsPath;

    PlantManager manager;
    manager.GeneratePlantsOnTerrain(terrainVertices, 0.5f, 200, 42);
    const auto nearIslands =
        std::count_if(manager.plants.begin(), manager.plants.end(), NearTheIslands);
    EXPECT_GE(manager.plants.size(), 170u);
    EXPECT_GE(nearIslands, 100);

    // Every placed plant grows geometry, so the start-up count is the number placed.
    EXPECT_EQ(manager.CreatePlantMeshes().size(), manager.plants.size());
}
