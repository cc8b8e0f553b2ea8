#include "loaded_model.h"

LoadedModel LoadLikeThePlayer(const std::string& path) {
    LoadedModel model;
    const size_t slash = path.find_last_of('/');
    model.baseDir = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    model.ok = tinyobj::LoadObj(&model.attrib, &model.shapes, &model.materials, &model.warning,
                                &model.error, path.c_str(), model.baseDir.c_str(), true, true);
    return model;
}

std::vector<WorldTriangle> WorldTriangles(const LoadedModel& model, const glm::vec3& offset,
                                          float scale) {
    std::vector<WorldTriangle> triangles;
    const auto corner = [&](const tinyobj::index_t& index) {
        const float* p = &model.attrib.vertices[3 * static_cast<size_t>(index.vertex_index)];
        return offset + scale * glm::vec3(p[0], p[1], p[2]);
    };
    for (const tinyobj::shape_t& shape : model.shapes) {
        const std::vector<tinyobj::index_t>& indices = shape.mesh.indices;
        for (size_t face = 0; face < shape.mesh.material_ids.size(); ++face) {
            triangles.push_back({corner(indices[3 * face]), corner(indices[3 * face + 1]),
                                 corner(indices[3 * face + 2]), shape.mesh.material_ids[face]});
        }
    }
    return triangles;
}
