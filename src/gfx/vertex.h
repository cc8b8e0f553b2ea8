#pragma once

#include <glm/glm.hpp>

// The one vertex record of every mesh. Attribute locations follow the field order:
// 0 position, 1 color, 2 normal, 3 texUV.
struct Vertex {
    glm::vec3 position;
    glm::vec3 color;
    glm::vec3 normal;
    glm::vec2 texUV;
};

static_assert(sizeof(Vertex) == 44, "Vertex must be 11 tightly packed floats");
