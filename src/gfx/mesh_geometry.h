#pragma once

#include <vector>

#include "gfx/gl.h"
#include "gfx/vertex.h"

// Generated triangles before they are uploaded as a Mesh.
struct MeshGeometry {
    std::vector<Vertex> vertices;
    std::vector<GLuint> indices;
};
