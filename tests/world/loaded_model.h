#pragma once

#include <tiny_obj_loader.h>

#include <glm/glm.hpp>
#include <string>
#include <vector>

// An OBJ model read exactly as the player's import reads it: tinyobjloader with the material
// directory taken from the path up to its last '/', triangulation on, vertex-colour fallback on.
struct LoadedModel {
    bool ok = false;
    std::string warning;
    std::string error;
    std::string baseDir;
    tinyobj::attrib_t attrib;
    std::vector<tinyobj::shape_t> shapes;
    std::vector<tinyobj::material_t> materials;
};

LoadedModel LoadLikeThePlayer(const std::string& path);

// One triangle of a loaded model, moved into the world by `offset` + `scale` * position, with the
// material it is drawn with.
struct WorldTriangle {
    glm::vec3 a, b, c;
    int material;
};

std::vector<WorldTriangle> WorldTriangles(const LoadedModel& model, const glm::vec3& offset,
                                          float scale);
