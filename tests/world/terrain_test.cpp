#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <sstream>
#include <utility>

#include "generated_world.h"
#include "gfx/obj_loader.h"
#include "render/scene_layout.h"
#include "render/terrain_levels.h"
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

namespace {

// The edges that only one of the triangles has: a piece's border, where its neighbours meet it.
std::set<std::pair<GLuint, GLuint>> OpenEdges(const std::vector<GLuint>& indices) {
    std::map<std::pair<GLuint, GLuint>, int> uses;
    for (size_t t = 0; t < indices.size(); t += 3) {
        for (size_t k = 0; k < 3; ++k) {
            ++uses[std::minmax(indices[t + k], indices[t + (k + 1) % 3])];
        }
    }
    std::set<std::pair<GLuint, GLuint>> open;
    for (const auto& [edge, count] : uses) {
        if (count == 1) open.insert(edge);
    }
    return open;
}

// How far the piece's vertices lie from the level's surface: from the plane of each level
// triangle over them, along its normal (the terrain is a height field), the vertices found by x.
float FarthestVertex(const ChunkGeometry& piece, const std::vector<GLuint>& level) {
    std::vector<glm::vec3> points;
    for (const Vertex& vertex : piece.vertices) points.push_back(vertex.position);
    std::sort(points.begin(), points.end(),
              [](const glm::vec3& a, const glm::vec3& b) { return a.x < b.x; });
    float farthest = 0.0f;
    for (size_t t = 0; t < level.size(); t += 3) {
        glm::vec3 c[3];
        for (int k = 0; k < 3; ++k) c[k] = piece.vertices[level[t + k]].position;
        const glm::vec3 normal = glm::normalize(glm::cross(c[1] - c[0], c[2] - c[0]));
        const float highX = std::max({c[0].x, c[1].x, c[2].x});
        auto p = std::lower_bound(points.begin(), points.end(), std::min({c[0].x, c[1].x, c[2].x}),
                                  [](const glm::vec3& point, float x) { return point.x < x; });
        for (; p != points.end() && p->x <= highX; ++p) {
            bool inside = true;
            for (int k = 0; k < 3; ++k) {
                const glm::vec3& u = c[k];
                const glm::vec3& v = c[(k + 1) % 3];
                inside = inside && (v.x - u.x) * (p->z - u.z) - (v.z - u.z) * (p->x - u.x) <= 1e-6f;
            }
            if (inside) farthest = std::max(farthest, std::fabs(glm::dot(*p - c[0], normal)));
        }
    }
    return farthest;
}

}  // namespace

// The levels are made for the model as the player cuts it; each keeps its piece's border
// exactly (no crack opens towards a neighbour drawn at another level, no hole inside), indexes
// only the piece's own vertices and lies within its stated error of every one of them.
TEST(WorldTerrain, EveryLevelKeepsItsPiecesBorderAndStaysWithinItsError) {
    const std::string islands = GeneratedWorldDir() + "/models/islands/islands";
    std::vector<ObjMaterialGeometry> materials;
    std::ostringstream lines;
    ASSERT_TRUE(ReadObjGeometry(islands + ".obj", materials, lines));
    std::vector<ChunkGeometry> pieces;
    for (const ObjMaterialGeometry& material : materials) {
        for (ChunkGeometry& piece :
             CutIntoChunks(material.vertices, material.indices, kTerrainCellsPerSide)) {
            pieces.push_back(std::move(piece));
        }
    }
    std::vector<std::uint32_t> vertexCounts;
    for (const ChunkGeometry& piece : pieces) vertexCounts.push_back(piece.vertices.size());
    std::ifstream file(islands + ".levels", std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(file)),
                            std::istreambuf_iterator<char>());
    const DecodedLevels decoded =
        DecodeTerrainLevels(bytes, PiecesFingerprint(pieces), vertexCounts);
    ASSERT_EQ(decoded.problem, "");
    size_t whole = 0, coarsest = 0;
    for (size_t i = 0; i < pieces.size(); ++i) {
        const std::set<std::pair<GLuint, GLuint>> border = OpenEdges(pieces[i].indices);
        whole += pieces[i].indices.size();
        coarsest += decoded.levels.pieces[i].empty()
                        ? pieces[i].indices.size()
                        : decoded.levels.pieces[i].back().indices.size();
        for (const PieceLevel& level : decoded.levels.pieces[i]) {
            SCOPED_TRACE("piece " + std::to_string(i) + ", error " + std::to_string(level.error));
            EXPECT_LT(level.indices.size(), pieces[i].indices.size());
            for (GLuint index : level.indices) ASSERT_LT(index, pieces[i].vertices.size());
            EXPECT_EQ(OpenEdges(level.indices), border);
            EXPECT_LE(FarthestVertex(pieces[i], level.indices), level.error + 1e-4f);
        }
    }
    EXPECT_LT(coarsest * 4, whole) << "the far levels leave out most triangles";
}
