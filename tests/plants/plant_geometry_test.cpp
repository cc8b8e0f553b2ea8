#include <gtest/gtest.h>

#include <cmath>

#include "plants/l_system.h"
#include "plants/plant_test_support.h"

namespace {

LSystem NoRules() {
    return LSystem("", {}, 0.0f, 1.0f);
}

}  // namespace

TEST(PlantColor, BlendsFromTrunkToTipWithoutClamping) {
    ExpectNear(LSystem::GetPlantColor(0, 0), glm::vec3(0.28f, 0.42f, 0.32f));
    ExpectNear(LSystem::GetPlantColor(0, 5), glm::vec3(0.28f, 0.42f, 0.32f));
    ExpectNear(LSystem::GetPlantColor(1, 2), glm::vec3(0.30f, 0.50f, 0.37f));
    ExpectNear(LSystem::GetPlantColor(2, 4), glm::vec3(0.30f, 0.50f, 0.37f));
    ExpectNear(LSystem::GetPlantColor(3, 3), glm::vec3(0.32f, 0.58f, 0.42f));
    ExpectNear(LSystem::GetPlantColor(3, 0), glm::vec3(0.40f, 0.90f, 0.62f));
}

TEST(PlantCylinder, VerticalTubeBuildsItsFrameFromTheXReference) {
    std::vector<Vertex> vertices;
    std::vector<uint32_t> indices;
    const glm::vec3 colour(0.1f, 0.2f, 0.3f);
    NoRules().CreateCylinder(glm::vec3(0.0f), glm::vec3(0.0f, 1.0f, 0.0f), 1.0f, 0.5f, vertices,
                             indices, colour, 8);

    ASSERT_EQ(vertices.size(), 18u);
    ASSERT_EQ(indices.size(), 48u);
    ExpectNear(vertices[0].position, glm::vec3(0.0f, 0.0f, -1.0f));
    ExpectNear(vertices[0].normal, glm::vec3(0.0f, 0.0f, -1.0f));
    // A quarter turn brings in forwardAxis = (-1, 0, 0).
    ExpectNear(vertices[2].position, glm::vec3(-1.0f, 0.0f, 0.0f));
    // The top ring is tapered but its normals stay radial.
    ExpectNear(vertices[9].position, glm::vec3(0.0f, 1.0f, -0.5f));
    ExpectNear(vertices[9].normal, glm::vec3(0.0f, 0.0f, -1.0f));
    for (int ring = 0; ring < 2; ++ring) {
        const Vertex& seamStart = vertices[ring * 9];
        const Vertex& seamEnd = vertices[ring * 9 + 8];
        ExpectNear(seamEnd.position, seamStart.position);
        EXPECT_EQ(seamStart.texUV, glm::vec2(0.0f, static_cast<float>(ring)));
        EXPECT_EQ(seamEnd.texUV, glm::vec2(1.0f, static_cast<float>(ring)));
    }
    for (const Vertex& vertex : vertices) {
        EXPECT_EQ(vertex.color, colour);
        EXPECT_NEAR(glm::length(vertex.normal), 1.0f, kTolerance);
    }
}

TEST(PlantCylinder, HorizontalTubeBuildsItsFrameFromTheYReference) {
    std::vector<Vertex> vertices;
    std::vector<uint32_t> indices;
    NoRules().CreateCylinder(glm::vec3(0.0f), glm::vec3(2.0f, 0.0f, 0.0f), 1.0f, 1.0f, vertices,
                             indices, glm::vec3(1.0f), 4);

    ASSERT_EQ(vertices.size(), 10u);
    // rightAxis = (0, 0, 1) at i = 0, forwardAxis = (0, -1, 0) a quarter turn later.
    ExpectNear(vertices[0].position, glm::vec3(0.0f, 0.0f, 1.0f));
    ExpectNear(vertices[1].position, glm::vec3(0.0f, -1.0f, 0.0f));
    ExpectNear(vertices[5].position, glm::vec3(2.0f, 0.0f, 1.0f));
}

TEST(PlantCylinder, AppendsWithIndicesOffsetByTheExistingVertices) {
    std::vector<Vertex> vertices(100);
    std::vector<uint32_t> indices(6, 7u);
    NoRules().CreateCylinder(glm::vec3(0.0f), glm::vec3(0.0f, 0.0f, 1.0f), 0.2f, 0.1f, vertices,
                             indices, glm::vec3(1.0f), 8);

    ASSERT_EQ(vertices.size(), 118u);
    ASSERT_EQ(indices.size(), 54u);
    EXPECT_EQ(std::vector<uint32_t>(indices.begin() + 6, indices.begin() + 12),
              (std::vector<uint32_t>{100, 109, 101, 101, 109, 110}));
    EXPECT_EQ(std::vector<uint32_t>(indices.end() - 3, indices.end()),
              (std::vector<uint32_t>{108, 116, 117}));
}

TEST(PlantLeaf, CurlsAndSagsThroughTheReferencePoints) {
    std::vector<Vertex> vertices;
    std::vector<uint32_t> indices;
    const glm::vec3 colour(0.3f, 0.55f, 0.4f);
    NoRules().CreateFlatLeaf(glm::vec3(0.0f), glm::vec3(0.0f, 1.0f, 0.0f),
                             glm::vec3(1.0f, 0.0f, 0.0f), 1.0f, 0.1f, vertices, indices, colour);

    ASSERT_EQ(vertices.size(), 68u);
    ASSERT_EQ(indices.size(), 192u);
    auto midpoint = [&](int spinePoint) {
        return 0.5f * (vertices[4 * spinePoint].position + vertices[4 * spinePoint + 1].position);
    };
    auto halfWidth = [&](int spinePoint) {
        return 0.5f * glm::distance(vertices[4 * spinePoint].position,
                                    vertices[4 * spinePoint + 1].position);
    };
    ExpectNear(midpoint(0), glm::vec3(0.0f));
    EXPECT_NEAR(halfWidth(0), 0.1f, kTolerance);
    ExpectNear(midpoint(8), glm::vec3(0.125f * std::sin(0.75f * 3.14159265f), 0.5f, 0.25f));
    EXPECT_NEAR(halfWidth(8), 0.1f * (1.0f - 0.125f), kTolerance);
    ExpectNear(vertices[64].position, glm::vec3(-0.25f, 1.0f, 0.0f));
    EXPECT_EQ(vertices[64].position, vertices[65].position);

    for (int point = 0; point <= 16; ++point) {
        const Vertex* four = &vertices[4 * point];
        const float t = point / 16.0f;
        EXPECT_EQ(four[0].position, four[2].position);
        EXPECT_EQ(four[1].position, four[3].position);
        EXPECT_EQ(four[2].normal, -four[0].normal);
        EXPECT_EQ(four[0].normal, four[1].normal);
        EXPECT_NEAR(glm::length(four[0].normal), 1.0f, kTolerance);
        EXPECT_EQ(four[0].texUV, glm::vec2(0.0f, t));
        EXPECT_EQ(four[3].texUV, glm::vec2(1.0f, t));
        EXPECT_EQ(four[0].color, colour);
    }
    // Near the base the blade barely leaves the unbent plane, so it faces almost along n.
    EXPECT_NEAR(std::abs(vertices[0].normal.z), 1.0f, 1e-3f);
}

TEST(PlantLeaf, TwoFacesWithReversedWindingAndOffsetIndices) {
    std::vector<Vertex> vertices(10);
    std::vector<uint32_t> indices;
    NoRules().CreateFlatLeaf(glm::vec3(1.0f), glm::vec3(0.0f, 0.0f, 2.0f),
                             glm::vec3(0.0f, 3.0f, 0.0f), 2.0f, 0.3f, vertices, indices,
                             glm::vec3(1.0f));

    ASSERT_EQ(vertices.size(), 78u);
    ASSERT_EQ(indices.size(), 192u);
    EXPECT_EQ(std::vector<uint32_t>(indices.begin(), indices.begin() + 12),
              (std::vector<uint32_t>{10, 11, 14, 11, 15, 14, 12, 16, 13, 13, 16, 17}));
    EXPECT_EQ(indices.back(), 10u + 67u);
    // Unnormalised direction and side only set the frame: the tip lies length along d,
    // a quarter length towards -r.
    ExpectNear(vertices.back().position, glm::vec3(1.0f, 0.5f, 3.0f));
}
