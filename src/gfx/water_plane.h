#pragma once

#include <glm/glm.hpp>
#include <vector>

#include "gfx/gl.h"
#include "gfx/mesh.h"
#include "gfx/mesh_geometry.h"
#include "gfx/vertex.h"

// A 200 x 200 vertex grid in the plane y = 0, centred on the origin and spanning `width` along x
// and `depth` along z. Grid lines crowd towards the border (the coordinate s in [-1, 1] is warped
// to sign(s) |s|^0.7) so that the waves near the islands get the finest cells. Row j, column i is
// vertex j * 200 + i with texture coordinates (i / 199, j / 199).
MeshGeometry WaterGrid(float width, float depth, const glm::vec3& color);

// The sea: the water grid as an untextured mesh, drawn with Mesh::Draw.
class WaterPlane : public Mesh {
  public:
    WaterPlane(float width, float depth, const glm::vec3& color);

  private:
    WaterPlane(MeshGeometry grid, std::vector<Texture> noTextures);
};
