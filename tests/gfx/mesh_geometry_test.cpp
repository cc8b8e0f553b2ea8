// Leaving out triangles that repeat earlier ones.
#include "gfx/mesh_geometry.h"

#include <gtest/gtest.h>

namespace {

Vertex At(float x, float y, float nx = 0.0f) {
    return {{x, y, 0.0f}, {1.0f, 1.0f, 1.0f}, {nx, 0.0f, 1.0f}, {x, y}};
}

// Each triangle's corners as positions and normals, in drawing order.
std::vector<glm::vec3> Corners(const MeshGeometry& geometry) {
    std::vector<glm::vec3> corners;
    for (GLuint index : geometry.indices) {
        corners.push_back(geometry.vertices[index].position);
        corners.push_back(geometry.vertices[index].normal);
    }
    return corners;
}

}  // namespace

TEST(WithoutRepeatedTriangles, DropsExactRepeatsOnlyAndKeepsTheOrder) {
    const Vertex a = At(0, 0), b = At(1, 0), c = At(0, 1), d = At(1, 1);
    const Vertex bTilted = At(1, 0, 0.5f);  // the same place, another normal
    const struct {
        const char* name;
        MeshGeometry input;
        MeshGeometry expected;
    } rows[] = {
        {"a leaf put again with its own copies of the vertices",
         {{a, b, c, d, a, b, c}, {0, 1, 2, 1, 3, 2, 4, 5, 6}},
         {{a, b, c, d}, {0, 1, 2, 1, 3, 2}}},
        {"the repeat starting from another corner",
         {{a, b, c}, {0, 1, 2, 1, 2, 0}},
         {{a, b, c}, {0, 1, 2}}},
        {"the other side of the same triangle stays",
         {{a, b, c}, {0, 1, 2, 0, 2, 1}},
         {{a, b, c}, {0, 1, 2, 0, 2, 1}}},
        {"a corner with another normal makes another triangle",
         {{a, b, c, bTilted}, {0, 1, 2, 0, 3, 2}},
         {{a, b, c, bTilted}, {0, 1, 2, 0, 3, 2}}},
        {"vertices no kept triangle uses go", {{d, a, b, c}, {1, 2, 3}}, {{a, b, c}, {0, 1, 2}}},
        {"nothing in, nothing out", {{}, {}}, {{}, {}}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const MeshGeometry kept = WithoutRepeatedTriangles(row.input);
        EXPECT_EQ(kept.indices.size(), row.expected.indices.size());
        EXPECT_EQ(kept.vertices.size(), row.expected.vertices.size());
        EXPECT_EQ(Corners(kept), Corners(row.expected));
    }
}
