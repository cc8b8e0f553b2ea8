// The sky dome sphere and the billboard quads of the sun, the moon and the lens flare.
#include "render/sky_geometry.h"

#include <gtest/gtest.h>

#include <glm/gtc/constants.hpp>

namespace {

const Vertex& DomeVertex(const MeshGeometry& dome, int ring, int column) {
    return dome.vertices[static_cast<size_t>(ring * 33 + column)];
}

void ExpectQuad(const std::vector<Vertex>& quad, float half) {
    ASSERT_EQ(quad.size(), 4u);
    const glm::vec3 corners[] = {
        {-half, -half, 0}, {half, -half, 0}, {half, half, 0}, {-half, half, 0}};
    const glm::vec2 uvs[] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(quad[i].position, corners[i]) << i;
        EXPECT_EQ(quad[i].color, glm::vec3(1, 1, 1)) << i;
        EXPECT_EQ(quad[i].normal, glm::vec3(0, 0, 1)) << i;
        EXPECT_EQ(quad[i].texUV, uvs[i]) << i;
    }
}

}  // namespace

TEST(SkyDome, IndicesWalkTheRingsTwoTrianglesPerCell) {
    const MeshGeometry dome = SkyDomeGeometry();
    ASSERT_EQ(dome.vertices.size(), 1089u);
    ASSERT_EQ(dome.indices.size(), 6144u);
    EXPECT_EQ(std::vector<GLuint>(dome.indices.begin(), dome.indices.begin() + 6),
              std::vector<GLuint>({0, 33, 1, 33, 34, 1}));
    EXPECT_EQ(std::vector<GLuint>(dome.indices.end() - 3, dome.indices.end()),
              std::vector<GLuint>({1087, 1088, 1055}));
    // The last cell of ring 0 reaches the seam column; ring 1 starts a row further on.
    EXPECT_EQ(std::vector<GLuint>(dome.indices.begin() + 31 * 6, dome.indices.begin() + 32 * 6),
              std::vector<GLuint>({31, 64, 32, 64, 65, 32}));
    EXPECT_EQ(dome.indices[32 * 6], 33u);
}

TEST(SkyDome, VerticesLieOnTheSphereFromPoleToPoleWithARepeatedSeam) {
    const MeshGeometry dome = SkyDomeGeometry();
    for (const Vertex& vertex : dome.vertices) {
        ASSERT_NEAR(glm::length(vertex.position), 500.0f, 1e-3f);
        ASSERT_EQ(vertex.color, glm::vec3(0.0f));
        ASSERT_EQ(vertex.normal, glm::vec3(0.0f));
        ASSERT_EQ(vertex.texUV, glm::vec2(0.0f));
    }
    for (int column = 0; column <= 32; ++column) {
        EXPECT_EQ(DomeVertex(dome, 0, column).position, glm::vec3(0.0f, 500.0f, 0.0f));
        const glm::vec3 bottom = DomeVertex(dome, 32, column).position;
        EXPECT_EQ(bottom.y, -500.0f);
        EXPECT_NEAR(glm::length(glm::vec2(bottom.x, bottom.z)), 0.0f, 1e-4f);
    }
    // Column 0 lies exactly in the x-y plane on the +x side; column 8 a quarter turn on, at +z.
    for (int ring = 1; ring < 32; ++ring) {
        const glm::vec3 seam = DomeVertex(dome, ring, 0).position;
        EXPECT_EQ(seam.z, 0.0f);
        EXPECT_GT(seam.x, 0.0f);
        const glm::vec3 repeated = DomeVertex(dome, ring, 32).position;
        EXPECT_NEAR(glm::distance(seam, repeated), 0.0f, 1e-3f) << ring;
        const glm::vec3 quarter = DomeVertex(dome, ring, 8).position;
        EXPECT_NEAR(quarter.x, 0.0f, 1e-3f);
        EXPECT_NEAR(quarter.z, seam.x, 1e-3f);
        EXPECT_EQ(quarter.y, seam.y);
    }
    // Rings are evenly spaced in polar angle: ring 1 is pi/32 down from the top.
    EXPECT_NEAR(DomeVertex(dome, 1, 0).position.x, 500.0f * std::sin(glm::pi<float>() / 32), 1e-3f);
    EXPECT_NEAR(DomeVertex(dome, 16, 0).position.y, 0.0f, 1e-3f);
}

TEST(BillboardQuads, SunAndFlareQuadsShareOneLayoutAtTheirOwnSizes) {
    ExpectQuad(SunQuadVertices(), 0.5f);
    ExpectQuad(FlareQuadVertices(), 0.1f);
    EXPECT_EQ(SunQuadIndices(), std::vector<GLuint>({0, 1, 2, 2, 3, 0}));
}
