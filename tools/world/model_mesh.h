#pragma once

#include <cstdint>
#include <glm/glm.hpp>
#include <string>
#include <vector>

// One material of an MTL library. Only what the player reads is kept: the diffuse colour and the
// diffuse and emissive texture file names (empty when the material has none).
struct Material {
    std::string name;
    glm::vec3 diffuseColor;
    std::string diffuseMap;
    std::string emissiveMap;
};

// An indexed triangle mesh: every vertex has a position, a normal and a texture coordinate, and
// every triangle names the material it is drawn with (an index into the model's materials).
struct ModelMesh {
    struct Triangle {
        uint32_t corners[3];
        int material;
    };

    uint32_t AddVertex(const glm::vec3& position, const glm::vec3& normal, const glm::vec2& uv);
    void AddTriangle(uint32_t a, uint32_t b, uint32_t c, int material);

    std::vector<glm::vec3> positions;
    std::vector<glm::vec3> normals;
    std::vector<glm::vec2> uvs;
    std::vector<Triangle> triangles;
};

// A model ready to be written: its mesh and its material library.
struct Model {
    ModelMesh mesh;
    std::vector<Material> materials;
};
