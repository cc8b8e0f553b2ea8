#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <utility>

#include "render/scene_layout.h"
#include "scene_fixture.h"
#include "terrain_height.h"

TEST(WorldTerrain, HasSmoothNormalsTextureCoordinatesAndFitsTheTriangleBudget) {
    const LoadedModel& terrain = Scene().terrain;
    size_t triangles = 0;
    for (const tinyobj::shape_t& shape : terrain.shapes) {
        triangles += shape.mesh.material_ids.size();
        for (const tinyobj::index_t& corner : shape.mesh.indices) {
            ASSERT_GE(corner.normal_index, 0);
            ASSERT_GE(corner.texcoord_index, 0);
            const float* n = &terrain.attrib.normals[3 * static_cast<size_t>(corner.normal_index)];
            ASSERT_NEAR(std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]), 1.0f, 1e-3f);
            ASSERT_GT(n[1], 0.0f);
        }
    }
    std::cout << "terrain triangles: " << triangles << '\n';
    EXPECT_LE(triangles, 150000u);
    EXPECT_GT(triangles, 20000u);
    // Corners are shared between neighbouring triangles in the file, so normals are smoothed
    // over the surface rather than one per face.
    EXPECT_LT(terrain.attrib.normals.size() / 3, triangles);
}

TEST(WorldTerrain, SeaFloorLiesUnderTheWholeWaterPlaneWithoutHoles) {
    const float extent = scene_layout::kSeaHalfExtent;
    int uncovered = 0, aboveWater = 0, samples = 0;
    // An odd step keeps the samples off the grid lines, where holes would hide.
    for (float z = -extent; z <= extent; z += 0.73f) {
        for (float x = -extent; x <= extent; x += 0.73f) {
            const std::optional<float> height = Scene().ground.HeightAt(x, z);
            ++samples;
            if (!height) {
                ++uncovered;
            } else if (*height >= scene_layout::kWaterLevel) {
                ++aboveWater;
            }
        }
    }
    EXPECT_EQ(uncovered, 0);
    const float landShare = static_cast<float>(aboveWater) / static_cast<float>(samples);
    std::cout << "share of the sea area above water: " << landShare << '\n';
    EXPECT_GT(landShare, 0.02f);
    EXPECT_LT(landShare, 0.25f);
}

TEST(WorldTerrain, GridsOfDifferentDensityJoinWithoutCracks) {
    // Every inner edge is shared by exactly two triangles; only the rim of the whole sea floor
    // has edges with one.
    const LoadedModel& terrain = Scene().terrain;
    std::map<std::pair<int, int>, int> edgeUses;
    for (const tinyobj::shape_t& shape : terrain.shapes) {
        const std::vector<tinyobj::index_t>& corners = shape.mesh.indices;
        for (size_t i = 0; i < corners.size(); i += 3) {
            for (size_t k = 0; k < 3; ++k) {
                const int a = corners[i + k].vertex_index;
                const int b = corners[i + (k + 1) % 3].vertex_index;
                ++edgeUses[std::minmax(a, b)];
            }
        }
    }
    const auto position = [&](int index) {
        const float* p = &terrain.attrib.vertices[3 * static_cast<size_t>(index)];
        return glm::vec2(p[0], p[2]);
    };
    float rim = 0.0f;
    for (size_t i = 0; i < terrain.attrib.vertices.size(); i += 3) {
        rim = std::max(rim, std::fabs(terrain.attrib.vertices[i]));
    }
    size_t openEdges = 0;
    for (const auto& [edge, uses] : edgeUses) {
        ASSERT_LE(uses, 2);
        if (uses == 2) continue;
        ++openEdges;
        const glm::vec2 a = position(edge.first), b = position(edge.second);
        const bool onRim = (std::fabs(a.x) == rim && std::fabs(b.x) == rim && a.x == b.x) ||
                           (std::fabs(a.y) == rim && std::fabs(b.y) == rim && a.y == b.y);
        EXPECT_TRUE(onRim) << "open edge inside the terrain at " << a.x << ", " << a.y;
    }
    EXPECT_GT(openEdges, 0u);
    EXPECT_GE(rim, scene_layout::kSeaHalfExtent);
}

TEST(WorldTerrain, GroundUnderTheWellFootprintIsAtTheWellBase) {
    const float radius = Scene().wellFootprintRadius;
    EXPECT_GT(radius, 0.3f);
    float lowest = 1e9f, highest = -1e9f;
    for (float dz = -radius; dz <= radius; dz += 0.02f) {
        for (float dx = -radius; dx <= radius; dx += 0.02f) {
            if (dx * dx + dz * dz > radius * radius) continue;
            const std::optional<float> height = Scene().ground.HeightAt(
                scene_layout::kWellBase.x + dx, scene_layout::kWellBase.z + dz);
            ASSERT_TRUE(height.has_value());
            lowest = std::min(lowest, *height);
            highest = std::max(highest, *height);
        }
    }
    std::cout << "ground under the well (radius " << radius << "): " << lowest << " .. " << highest
              << '\n';
    EXPECT_GE(lowest, scene_layout::kWellBase.y - 0.05f);
    EXPECT_LE(highest, scene_layout::kWellBase.y + 0.05f);
}

// The big islands have landforms, not the smooth flanks of a cone: going round a summit half-way
// down, the ground rises over spurs and drops into gullies again and again.
TEST(WorldTerrain, IslandFlanksAreCutIntoRidgesAndGullies) {
    const struct {
        glm::vec2 summit;
        float radius;
    } islands[] = {{{-31.0f, -6.0f}, 8.0f}, {{-14.0f, -53.0f}, 7.0f}, {{64.0f, 14.0f}, 8.0f}};
    for (const auto& island : islands) {
        SCOPED_TRACE(island.summit.x);
        constexpr int kSamples = 360;
        std::vector<float> ring(kSamples);
        for (int i = 0; i < kSamples; ++i) {
            const float angle = 6.2831853f * static_cast<float>(i) / kSamples;
            const glm::vec2 p =
                island.summit + island.radius * glm::vec2(std::cos(angle), std::sin(angle));
            ring[static_cast<size_t>(i)] = TerrainHeight(p.x, p.y);
        }
        // Count the spurs: rises of at least half a unit from the last low point.
        int spurs = 0;
        float low = ring[0], high = ring[0];
        bool climbing = true;
        for (int i = 1; i <= kSamples; ++i) {
            const float h = ring[static_cast<size_t>(i % kSamples)];
            if (climbing) {
                high = std::max(high, h);
                if (high - h > 0.5f) {
                    ++spurs;
                    climbing = false;
                    low = h;
                }
            } else {
                low = std::min(low, h);
                if (h - low > 0.5f) {
                    climbing = true;
                    high = h;
                }
            }
        }
        EXPECT_GE(spurs, 5);
    }
}
