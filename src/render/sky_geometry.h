#pragma once

#include <vector>

#include "gfx/gl.h"
#include "gfx/mesh_geometry.h"
#include "gfx/vertex.h"

// A latitude-longitude sphere of radius 500 around the origin: 33 rings from the top pole
// (ring 0) to the bottom pole (ring 32), 33 columns each, the last column repeating the first so
// the seam has vertices of its own. Vertex (ring, column) has index ring * 33 + column; only the
// positions are set. Two triangles per cell: 32 * 32 * 6 = 6144 indices.
MeshGeometry SkyDomeGeometry();

// The unit quad (-0.5..0.5 in x and y, z = 0) that the sun and moon billboards scale.
std::vector<Vertex> SunQuadVertices();
// The small quad (-0.1..0.1) of every lens-flare element.
std::vector<Vertex> FlareQuadVertices();
// Indices of either quad, the sun's and the flare's: 0, 1, 2, 2, 3, 0.
std::vector<GLuint> SunQuadIndices();
