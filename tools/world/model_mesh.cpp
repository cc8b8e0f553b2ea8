#include "model_mesh.h"

uint32_t ModelMesh::AddVertex(const glm::vec3& position, const glm::vec3& normal,
                              const glm::vec2& uv) {
    positions.push_back(position);
    normals.push_back(normal);
    uvs.push_back(uv);
    return static_cast<uint32_t>(positions.size() - 1);
}

void ModelMesh::AddTriangle(uint32_t a, uint32_t b, uint32_t c, int material) {
    triangles.push_back({{a, b, c}, material});
}
