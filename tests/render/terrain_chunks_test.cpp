#include "render/terrain_chunks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <glm/gtc/matrix_transform.hpp>

namespace {

Vertex At(float x, float z) {
    Vertex vertex{};
    vertex.position = {x, 0.1f * x, z};
    vertex.normal = {0.0f, 1.0f, 0.0f};
    vertex.texUV = {x, z};
    return vertex;
}

// A flat n x n grid of quads over [0, n] in x and z, written as a model file writes it: every
// triangle with its own three vertices. Needs no GL: the mesh is never drawn.
struct Grid {
    std::vector<Vertex> vertices;
    std::vector<GLuint> indices;
};
Grid SoupGrid(int n) {
    Grid grid;
    for (int z = 0; z < n; ++z) {
        for (int x = 0; x < n; ++x) {
            const Vertex a = At(x, z), b = At(x, z + 1), c = At(x + 1, z + 1), d = At(x + 1, z);
            for (const Vertex& v : {a, b, c, a, c, d}) {
                grid.indices.push_back(static_cast<GLuint>(grid.vertices.size()));
                grid.vertices.push_back(v);
            }
        }
    }
    return grid;
}

// The triangles of the chunks, as corner positions, in a canonical order.
std::vector<std::array<float, 9>> Triangles(const std::vector<Vertex>& vertices,
                                            const std::vector<GLuint>& indices) {
    std::vector<std::array<float, 9>> triangles;
    for (size_t t = 0; t < indices.size(); t += 3) {
        std::array<float, 9> corners;
        for (int k = 0; k < 3; ++k) {
            const glm::vec3& p = vertices[indices[t + k]].position;
            corners[3 * k] = p.x, corners[3 * k + 1] = p.y, corners[3 * k + 2] = p.z;
        }
        triangles.push_back(corners);
    }
    std::sort(triangles.begin(), triangles.end());
    return triangles;
}

class ChunkCutting : public ::testing::Test {
  protected:
    // Mesh's constructor uploads to GL; the cutting only reads the vectors, so the test hands it
    // a mesh-shaped copy without a context.
    std::vector<ChunkGeometry> Cut(const Grid& grid, int cells) {
        return CutIntoChunks(grid.vertices, grid.indices, cells);
    }
};

}  // namespace

TEST_F(ChunkCutting, KeepsEveryTriangleWithItsWindingAndSharesRepeatedVertices) {
    const Grid grid = SoupGrid(8);
    const std::vector<ChunkGeometry> chunks = Cut(grid, 4);
    ASSERT_EQ(chunks.size(), 16u);
    std::vector<Vertex> allVertices;
    std::vector<GLuint> allIndices;
    for (const ChunkGeometry& chunk : chunks) {
        // 2 x 2 quads: 9 distinct corners instead of 24 repeated ones.
        EXPECT_EQ(chunk.vertices.size(), 9u);
        EXPECT_EQ(chunk.indices.size(), 24u);
        for (GLuint index : chunk.indices) {
            allIndices.push_back(static_cast<GLuint>(allVertices.size()));
            allVertices.push_back(chunk.vertices[index]);
        }
    }
    // Same triangles, each with its corners in the same cyclic order (so the same facing).
    EXPECT_EQ(Triangles(allVertices, allIndices), Triangles(grid.vertices, grid.indices));
}

TEST_F(ChunkCutting, VerticesThatDifferInAnyFieldStaySeparate) {
    Grid grid = SoupGrid(1);
    grid.vertices[3].texUV.x +=
        0.5f;  // the second triangle's first corner, else equal to the first's
    const std::vector<ChunkGeometry> chunks = Cut(grid, 1);
    ASSERT_EQ(chunks.size(), 1u);
    EXPECT_EQ(chunks[0].vertices.size(), 5u);
}

TEST(NearestFirst, OrdersTheVisibleBoxesByDistanceAndLeavesOutTheOthers) {
    const glm::mat4 view = glm::mat4(1.0f);  // clip space itself: the cube -1..1
    const std::vector<Bounds> boxes = {{{0.5f, 0.0f, 0.0f}, {0.6f, 0.1f, 0.1f}},
                                       {{5.0f, 5.0f, 5.0f}, {6.0f, 6.0f, 6.0f}},
                                       {{-0.2f, 0.0f, 0.0f}, {-0.1f, 0.1f, 0.1f}},
                                       {{0.9f, 0.9f, 0.9f}, {1.5f, 1.5f, 1.5f}}};
    const ViewVolume volume(view);
    const std::vector<size_t> order = NearestFirst(
        boxes, [&](const Bounds& box) { return volume.MayContain(box); }, glm::vec3(0.0f));
    EXPECT_EQ(order, (std::vector<size_t>{2, 0, 3}));
}

// Two chunks side by side, the eastern one a hill; where their boxes overlap in x both count.
TEST(AboveTheTerrain, HoldsOnlyAboveEveryChunkUnderThePointOrAboveAllBesideTheTerrain) {
    const std::vector<Bounds> chunks = {{{0.0f, -5.0f, 0.0f}, {10.0f, 1.0f, 10.0f}},
                                        {{9.0f, -2.0f, 0.0f}, {20.0f, 12.0f, 10.0f}}};
    EXPECT_TRUE(AboveTheTerrain(chunks, {5.0f, 2.0f, 5.0f}));
    EXPECT_FALSE(AboveTheTerrain(chunks, {5.0f, -40.0f, 5.0f})) << "below the ground";
    EXPECT_FALSE(AboveTheTerrain(chunks, {5.0f, 1.0f, 5.0f})) << "level with the highest point";
    EXPECT_FALSE(AboveTheTerrain(chunks, {9.5f, 2.0f, 5.0f})) << "the hill's box holds it too";
    EXPECT_TRUE(AboveTheTerrain(chunks, {9.5f, 13.0f, 5.0f}));
    // Beside the terrain a ray can rise into it from below anywhere under the highest point.
    EXPECT_FALSE(AboveTheTerrain(chunks, {-5.0f, 2.0f, 5.0f}));
    EXPECT_TRUE(AboveTheTerrain(chunks, {-5.0f, 12.5f, 5.0f}));
    EXPECT_EQ(HighestPoint(chunks), 12.0f);
}

// Only a terrain whose triangles all face up, none over another, may have its back faces culled.
TEST(IsUpwardHeightField, HoldsOnlyForAGroundFacingUpWithNothingOverIt) {
    const Grid grid = SoupGrid(6);
    // A shelf over the middle of the ground, itself facing up.
    Grid shelf = grid;
    for (size_t i = 0; i < 6; ++i) {
        shelf.indices.push_back(static_cast<GLuint>(shelf.vertices.size()));
        shelf.vertices.push_back(grid.vertices[i]);
        shelf.vertices.back().position += glm::vec3(2.3f, 3.0f, 2.4f);
    }
    // An overhang: one quad folded back over its neighbour, facing down.
    Grid overhang = grid;
    for (size_t i = 0; i < 6; ++i)
        overhang.vertices[i].position.x = 2.0f - overhang.vertices[i].position.x;
    const glm::mat4 lowered = glm::translate(glm::mat4(1.0f), glm::vec3(0.0f, -1.0f, 0.0f));
    const glm::mat4 mirrored = glm::scale(glm::mat4(1.0f), glm::vec3(-1.0f, 1.0f, 1.0f));
    const struct {
        const Grid& shape;
        glm::mat4 model;
        bool heightField;
    } cases[] = {{grid, lowered, true},
                 {shelf, lowered, false},
                 {overhang, lowered, false},
                 {grid, mirrored, false}};
    for (const auto& c : cases) {
        EXPECT_EQ(IsUpwardHeightField({{c.shape.vertices, c.shape.indices}}, c.model),
                  c.heightField)
            << &c - cases;
    }
}
