#include "plants/plant_manager.h"

#include <gtest/gtest.h>

#include <cmath>

#include "plants/l_system.h"
#include "plants/world_plant_geometry.h"

namespace {

const float kHeightLimit = 0.5f;

Vertex At(const glm::vec3& position) {
    return {position, glm::vec3(1.0f), glm::vec3(0.0f, 1.0f, 0.0f), glm::vec2(0.0f)};
}

// Vertices whose x is their list index, at heights spread through and below the band.
std::vector<Vertex> Strip(size_t count, float topHeight, float bottomHeight) {
    std::vector<Vertex> vertices;
    for (size_t i = 0; i < count; ++i) {
        const float f = static_cast<float>(i) / static_cast<float>(count);
        vertices.push_back(
            At(glm::vec3(static_cast<float>(i), topHeight + (bottomHeight - topHeight) * f, 0.0f)));
    }
    return vertices;
}

bool SamePlant(const PlantInstance& a, const PlantInstance& b) {
    return a.position == b.position && a.type == b.type && a.scale == b.scale &&
           a.rotation == b.rotation && a.iterations == b.iterations &&
           a.heightFactor == b.heightFactor;
}

}  // namespace

TEST(PlantBand, AcceptsFromThirtyBelowTheLimitUpToTheLimit) {
    const PlantManager manager;
    EXPECT_FALSE(manager.IsSuitableForPlant(glm::vec3(0.0f, 0.5f, 0.0f), kHeightLimit));
    EXPECT_TRUE(manager.IsSuitableForPlant(glm::vec3(0.0f, 0.49f, 0.0f), kHeightLimit));
    EXPECT_TRUE(manager.IsSuitableForPlant(glm::vec3(0.0f, -29.5f, 0.0f), kHeightLimit));
    EXPECT_FALSE(manager.IsSuitableForPlant(glm::vec3(0.0f, -29.6f, 0.0f), kHeightLimit));
    EXPECT_EQ(manager.GetPlantTypeForHeight(-10.0f, kHeightLimit), Type4);
    EXPECT_EQ(manager.GetPlantTypeForHeight(100.0f, -3.0f), Type4);
}

TEST(PlantPlacement, FirstAttemptWithSeedFortyTwoUsesTheReferenceDraws) {
    // 1000 candidates, all inside the band; candidate 374 sits at y = -10.
    std::vector<Vertex> terrain;
    for (int i = 0; i < 1000; ++i) {
        terrain.push_back(At(glm::vec3(static_cast<float>(i), i == 374 ? -10.0f : -1.0f, 2.0f)));
    }
    PlantManager manager;
    manager.GeneratePlantsOnTerrain(terrain, kHeightLimit, 1, 42);

    ASSERT_EQ(manager.plants.size(), 1u);
    const PlantInstance& plant = manager.plants[0];
    const float heightFactor = (kHeightLimit - -10.0f) / 30.0f;
    EXPECT_EQ(plant.position, glm::vec3(374.0f, -10.0f, 2.0f));
    EXPECT_EQ(plant.type, Type4);
    EXPECT_EQ(plant.heightFactor, heightFactor);
    EXPECT_EQ(plant.scale, 1.29654300f * (0.3f + heightFactor));
    EXPECT_EQ(plant.rotation, 342.257141f);
    EXPECT_EQ(plant.iterations, 2);
}

TEST(PlantPlacement, OnlyVerticesBelowTheLimitAreCandidates) {
    // One vertex in the band among many at or above the limit: every attempt must land on it.
    std::vector<Vertex> terrain = Strip(50, 40.0f, kHeightLimit);
    terrain.push_back(At(glm::vec3(0.0f, kHeightLimit, 0.0f)));
    terrain.insert(terrain.begin() + 20, At(glm::vec3(7.0f, -29.5f, 7.0f)));
    PlantManager manager;
    manager.GeneratePlantsOnTerrain(terrain, kHeightLimit, 25, 3);

    ASSERT_EQ(manager.plants.size(), 25u);
    for (const PlantInstance& plant : manager.plants) {
        EXPECT_EQ(plant.position, glm::vec3(7.0f, -29.5f, 7.0f));
        // The bottom of the band: heightFactor 1, sizes from 0.5 to 1.5 times 1.3.
        EXPECT_EQ(plant.heightFactor, 1.0f);
        EXPECT_GE(plant.scale, 0.5f * 1.3f);
        EXPECT_LT(plant.scale, 1.5f * 1.3f);
        EXPECT_GE(plant.rotation, 0.0f);
        EXPECT_LT(plant.rotation, 360.0f);
        EXPECT_GE(plant.iterations, 2);
        EXPECT_LE(plant.iterations, 4);
    }
}

TEST(PlantPlacement, SitesBelowTheBandAreRejectedButStillDrawn) {
    PlantManager manager;
    manager.GeneratePlantsOnTerrain(Strip(100, -31.0f, -80.0f), kHeightLimit, 200, 42);
    EXPECT_TRUE(manager.plants.empty());

    // Half the candidates in the band, half below: rejected attempts take one draw, accepted
    // ones four, so the accepted plants stand on a mix of sites and heights.
    manager.GeneratePlantsOnTerrain(Strip(200, 0.0f, -60.0f), kHeightLimit, 200, 42);
    EXPECT_GT(manager.plants.size(), 50u);
    EXPECT_LT(manager.plants.size(), 150u);
    for (const PlantInstance& plant : manager.plants) {
        EXPECT_GE(plant.position.y, kHeightLimit - 30.0f);
        EXPECT_NEAR(plant.heightFactor, (kHeightLimit - plant.position.y) / 30.0f, 1e-6f);
    }

    // Exactly one draw per rejection. The draws were worked out apart from the player's code
    // (a separate MT19937 and the draw rules, which give the reference draws above): of 40
    // attempts on this pair, 24 land on the site in the band; some of them, with the draw before
    // the size factor.
    const std::vector<Vertex> pair{At(glm::vec3(0.0f, -1.0f, 0.0f)),
                                   At(glm::vec3(1.0f, -80.0f, 0.0f))};
    manager.GeneratePlantsOnTerrain(pair, kHeightLimit, 40, 7);
    ASSERT_EQ(manager.plants.size(), 24u);
    const struct {
        size_t plant;
        float sizeDraw, rotation;
        int iterations;
    } expected[] = {
        {0, 0.727339089f, 280.770752f, 2}, {1, 1.47822285f, 260.447479f, 3},
        {2, 1.0384959f, 94.9934998f, 3},   {3, 0.572051108f, 150.973999f, 2},
        {12, 1.16901326f, 69.6080246f, 3}, {23, 0.914885998f, 145.871658f, 2},
    };
    const float heightFactor = (kHeightLimit + 1.0f) / 30.0f;
    for (const auto& e : expected) {
        const PlantInstance& plant = manager.plants[e.plant];
        EXPECT_EQ(plant.position, pair[0].position) << e.plant;
        EXPECT_EQ(plant.scale, e.sizeDraw * (0.3f + heightFactor)) << e.plant;
        EXPECT_EQ(plant.rotation, e.rotation) << e.plant;
        EXPECT_EQ(plant.iterations, e.iterations) << e.plant;
    }
}

TEST(PlantPlacement, EmptyInputsLeaveNoPlants) {
    PlantManager manager;
    manager.GeneratePlantsOnTerrain(Strip(100, 0.0f, -20.0f), kHeightLimit, 10, 1);
    ASSERT_EQ(manager.plants.size(), 10u);

    manager.GeneratePlantsOnTerrain({}, kHeightLimit, 10, 1);
    EXPECT_TRUE(manager.plants.empty());
    manager.GeneratePlantsOnTerrain(Strip(100, 10.0f, kHeightLimit), kHeightLimit, 10, 1);
    EXPECT_TRUE(manager.plants.empty());
    manager.GeneratePlantsOnTerrain(Strip(100, 0.0f, -20.0f), kHeightLimit, 0, 1);
    EXPECT_TRUE(manager.plants.empty());
    manager.GeneratePlantsOnTerrain(Strip(100, 0.0f, -20.0f), kHeightLimit, -5, 1);
    EXPECT_TRUE(manager.plants.empty());

    manager.GeneratePlantsOnTerrain(Strip(100, 0.0f, -20.0f), kHeightLimit, 10, 1);
    manager.Clear();
    EXPECT_TRUE(manager.plants.empty());
}

TEST(PlantPlacement, SameArgumentsGiveTheSamePlantsAgain) {
    const std::vector<Vertex> terrain = Strip(500, 5.0f, -40.0f);
    PlantManager manager;
    manager.GeneratePlantsOnTerrain(terrain, kHeightLimit, 200, 42);
    const std::vector<PlantInstance> first = manager.plants;
    manager.GeneratePlantsOnTerrain(terrain, kHeightLimit, 200, 42);

    ASSERT_FALSE(first.empty());
    ASSERT_EQ(manager.plants.size(), first.size());
    EXPECT_TRUE(std::equal(first.begin(), first.end(), manager.plants.begin(), SamePlant));

    manager.GeneratePlantsOnTerrain(terrain, kHeightLimit, 200, 43);
    EXPECT_FALSE(manager.plants.size() == first.size() &&
                 std::equal(first.begin(), first.end(), manager.plants.begin(), SamePlant));
}

TEST(PlantWorldGeometry, TurnsAboutTheBaseThenMovesIt) {
    const PlantInstance plant{glm::vec3(10.0f, 0.0f, 0.0f), Type4, 1.0f, 90.0f, 2, 0.0f};
    const glm::mat4 model = PlantModelMatrix(plant);
    const glm::vec3 point(model * glm::vec4(1.0f, 0.0f, 0.0f, 1.0f));
    EXPECT_NEAR(point.x, 10.0f, 1e-5f);
    EXPECT_NEAR(point.y, 0.0f, 1e-5f);
    EXPECT_NEAR(point.z, -1.0f, 1e-5f);

    // The baked geometry is the plant-space geometry moved by that matrix.
    std::vector<Vertex> local;
    std::vector<uint32_t> localIndices;
    LSystem::CreatePlant(Type4, local, localIndices, 1.0f, 2, 5, 0.0f);
    const MeshGeometry world = BuildWorldPlantGeometry(plant, 5);
    ASSERT_EQ(world.vertices.size(), 1106u);
    EXPECT_EQ(world.indices, localIndices);
    for (size_t i = 0; i < local.size(); ++i) {
        const glm::vec3 p = local[i].position;
        const glm::vec3 n = local[i].normal;
        // A quarter turn about +Y takes (x, y, z) to (z, y, -x).
        EXPECT_NEAR(world.vertices[i].position.x, 10.0f + p.z, 1e-5f);
        EXPECT_NEAR(world.vertices[i].position.y, p.y, 1e-5f);
        EXPECT_NEAR(world.vertices[i].position.z, -p.x, 1e-5f);
        EXPECT_NEAR(world.vertices[i].normal.x, n.z, 1e-5f);
        EXPECT_NEAR(world.vertices[i].normal.z, -n.x, 1e-5f);
        EXPECT_EQ(world.vertices[i].color, local[i].color);
        EXPECT_EQ(world.vertices[i].texUV, local[i].texUV);
    }
}

TEST(PlantWorldGeometry, UnknownTypeBuildsNothing) {
    const PlantInstance plant{glm::vec3(1.0f), static_cast<PlantType>(5), 1.0f, 0.0f, 2, 0.0f};
    const MeshGeometry geometry = BuildWorldPlantGeometry(plant, 0);
    EXPECT_TRUE(geometry.vertices.empty());
    EXPECT_TRUE(geometry.indices.empty());
}
