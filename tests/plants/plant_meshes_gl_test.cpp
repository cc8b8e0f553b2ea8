#include <gtest/gtest.h>

#include <cstring>

#include "plants/plant_manager.h"
#include "plants/world_plant_geometry.h"
#include "support/gl_context.h"

namespace {

class PlantMeshes : public GlTest {};

PlantInstance Placed(const glm::vec3& position, PlantType type, float rotation) {
    return {position, type, 0.8f, rotation, 3, 0.25f};
}

GLint BufferSize(GLenum binding, GLuint buffer) {
    GLint size = -1;
    glBindBuffer(binding, buffer);
    glGetBufferParameteriv(binding, GL_BUFFER_SIZE, &size);
    return size;
}

}  // namespace

TEST_F(PlantMeshes, NoPlantsGiveNoMeshes) {
    const PlantManager manager;
    EXPECT_TRUE(manager.CreatePlantMeshes().empty());
}

TEST_F(PlantMeshes, OneUploadedMeshPerPlantWithGeometrySeededByListPosition) {
    PlantManager manager;
    // Two identical plants, one that grows nothing, and a fourth: the seeds are 0, 1, (2), 3.
    manager.plants = {Placed(glm::vec3(1.0f, -2.0f, 3.0f), Type4, 30.0f),
                      Placed(glm::vec3(1.0f, -2.0f, 3.0f), Type4, 30.0f),
                      Placed(glm::vec3(0.0f), static_cast<PlantType>(7), 0.0f),
                      Placed(glm::vec3(-5.0f, -10.0f, 8.0f), Type4, 300.0f)};
    const std::vector<Mesh> meshes = manager.CreatePlantMeshes();

    ASSERT_EQ(meshes.size(), 3u);
    const uint32_t seeds[] = {0, 1, 3};
    const size_t plantOf[] = {0, 1, 3};
    for (size_t m = 0; m < meshes.size(); ++m) {
        SCOPED_TRACE(m);
        const MeshGeometry expected = BuildWorldPlantGeometry(manager.plants[plantOf[m]], seeds[m]);
        const Mesh& mesh = meshes[m];
        ASSERT_EQ(mesh.vertices.size(), 1106u);
        ASSERT_EQ(mesh.indices.size(), 3120u);
        EXPECT_EQ(mesh.indices, expected.indices);
        EXPECT_EQ(0, std::memcmp(mesh.vertices.data(), expected.vertices.data(),
                                 expected.vertices.size() * sizeof(Vertex)));
        EXPECT_TRUE(mesh.textures.empty());

        // The GL buffers hold exactly these vertices and indices.
        ASSERT_NE(mesh.vao.ID, 0u);
        glBindVertexArray(mesh.vao.ID);
        GLint indexBuffer = 0;
        glGetIntegerv(GL_ELEMENT_ARRAY_BUFFER_BINDING, &indexBuffer);
        GLint vertexBuffer = 0;
        glGetVertexAttribiv(0, GL_VERTEX_ATTRIB_ARRAY_BUFFER_BINDING, &vertexBuffer);
        EXPECT_EQ(BufferSize(GL_ELEMENT_ARRAY_BUFFER, indexBuffer), 3120 * 4);
        EXPECT_EQ(BufferSize(GL_ARRAY_BUFFER, vertexBuffer), 1106 * 44);
        std::vector<Vertex> uploaded(1106);
        glGetBufferSubData(GL_ARRAY_BUFFER, 0, 1106 * sizeof(Vertex), uploaded.data());
        EXPECT_EQ(0, std::memcmp(uploaded.data(), expected.vertices.data(),
                                 uploaded.size() * sizeof(Vertex)));
        glBindVertexArray(0);
        glBindBuffer(GL_ARRAY_BUFFER, 0);
    }
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    // Identical placements with different list positions grow different leaves.
    EXPECT_NE(0, std::memcmp(meshes[0].vertices.data(), meshes[1].vertices.data(),
                             1106 * sizeof(Vertex)));
}

TEST_F(PlantMeshes, BuildingAgainGivesTheSameMeshesAndKeepsThePlants) {
    PlantManager manager;
    std::vector<Vertex> terrain;
    for (int i = 0; i < 300; ++i) {
        terrain.push_back({glm::vec3(static_cast<float>(i % 20), -0.1f * static_cast<float>(i),
                                     static_cast<float>(i / 20)),
                           glm::vec3(1.0f), glm::vec3(0.0f, 1.0f, 0.0f), glm::vec2(0.0f)});
    }
    manager.GeneratePlantsOnTerrain(terrain, 0.5f, 20, 42);
    ASSERT_EQ(manager.plants.size(), 20u);
    const std::vector<PlantInstance> plants = manager.plants;

    const std::vector<Mesh> first = manager.CreatePlantMeshes();
    const std::vector<Mesh> second = manager.CreatePlantMeshes();
    ASSERT_EQ(first.size(), 20u);
    ASSERT_EQ(second.size(), 20u);
    for (size_t i = 0; i < first.size(); ++i) {
        EXPECT_NE(first[i].vao.ID, second[i].vao.ID);
        EXPECT_EQ(first[i].indices, second[i].indices);
        EXPECT_EQ(0, std::memcmp(first[i].vertices.data(), second[i].vertices.data(),
                                 first[i].vertices.size() * sizeof(Vertex)));
    }
    ASSERT_EQ(manager.plants.size(), plants.size());
    EXPECT_EQ(0, std::memcmp(manager.plants.data(), plants.data(),
                             plants.size() * sizeof(PlantInstance)));
}
