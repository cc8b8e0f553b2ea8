#pragma once

#include <vector>

#include "gfx/gl.h"
#include "gfx/vertex.h"

// Generated triangles before they are uploaded as a Mesh.
struct MeshGeometry {
    std::vector<Vertex> vertices;
    std::vector<GLuint> indices;
};

// Leaves out what drawing the triangles twice would not change: a triangle whose corners repeat
// those of an earlier one exactly (the same vertex records, in the same turning order) is dropped,
// and equal vertex records become one. The triangles that stay keep their order, so the depth
// test keeps the same fragments as before.
MeshGeometry WithoutRepeatedTriangles(const MeshGeometry& geometry);
