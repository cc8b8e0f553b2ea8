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

// Puts the grid's cells in order piece by piece, each piece a square of up to `cellsPerPiece`
// cells a side (the last row and column of pieces take what is left), and returns each piece's
// run of indices. Within a piece the cells keep their row-major order and their two triangles;
// the pieces follow one another row by row, so neighbours in a row are neighbouring runs.
std::vector<IndexRange> GroupCellsIntoPieces(MeshGeometry& grid, int cellsPerPiece);

// A grid with its cells grouped into pieces.
struct PiecedGrid {
    MeshGeometry geometry;
    std::vector<IndexRange> pieces;
    std::vector<Texture> noTextures;
};

// The sea: the water grid as an untextured mesh, drawn with Mesh::Draw, whole or by pieces.
class WaterPlane : public Mesh {
  public:
    static constexpr int kCellsPerPiece = 17;

    WaterPlane(float width, float depth, const glm::vec3& color);

    // Runs of the index list, one per square piece of the grid, row by row.
    std::vector<IndexRange> pieces;

  private:
    explicit WaterPlane(PiecedGrid grid);
};
