#include "gfx/water_plane.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

constexpr int kVerticesPerSide = 200;
constexpr float kLastVertex = kVerticesPerSide - 1;
constexpr float kSpacingExponent = 0.7f;

// Maps u in [0, 1] to an offset from the centre along an edge of length `extent`, with the
// warp that spreads the lines near the centre and packs them near the edges.
float WarpedCoordinate(float u, float extent) {
    const float s = (u - 0.5f) * 2.0f;
    const float warped = (s >= 0.0f ? 1.0f : -1.0f) * std::pow(std::fabs(s), kSpacingExponent);
    return (warped * 0.5f + 0.5f) * extent - extent * 0.5f;
}

}  // namespace

MeshGeometry WaterGrid(float width, float depth, const glm::vec3& color) {
    MeshGeometry grid;
    grid.vertices.reserve(kVerticesPerSide * kVerticesPerSide);
    for (int j = 0; j < kVerticesPerSide; ++j) {
        const float v = static_cast<float>(j) / kLastVertex;
        const float z = WarpedCoordinate(v, depth);
        for (int i = 0; i < kVerticesPerSide; ++i) {
            const float u = static_cast<float>(i) / kLastVertex;
            grid.vertices.push_back({glm::vec3(WarpedCoordinate(u, width), 0.0f, z), color,
                                     glm::vec3(0.0f, 1.0f, 0.0f), glm::vec2(u, v)});
        }
    }

    const GLuint row = kVerticesPerSide;
    grid.indices.reserve(6 * (row - 1) * (row - 1));
    for (GLuint j = 0; j + 1 < row; ++j) {
        for (GLuint i = 0; i + 1 < row; ++i) {
            const GLuint k = j * row + i;
            grid.indices.insert(grid.indices.end(),
                                {k, k + row, k + 1, k + 1, k + row, k + row + 1});
        }
    }
    return grid;
}

std::vector<IndexRange> GroupCellsIntoPieces(MeshGeometry& grid, int cellsPerPiece) {
    constexpr int kCells = kVerticesPerSide - 1;
    constexpr int kIndicesPerCell = 6;
    const std::vector<GLuint> rowMajor = std::move(grid.indices);
    grid.indices.clear();
    grid.indices.reserve(rowMajor.size());
    std::vector<IndexRange> pieces;
    for (int top = 0; top < kCells; top += cellsPerPiece) {
        for (int left = 0; left < kCells; left += cellsPerPiece) {
            const GLuint first = static_cast<GLuint>(grid.indices.size());
            for (int j = top; j < std::min(top + cellsPerPiece, kCells); ++j) {
                const auto cell = rowMajor.begin() + (j * kCells + left) * kIndicesPerCell;
                const int columns = std::min(cellsPerPiece, kCells - left);
                grid.indices.insert(grid.indices.end(), cell, cell + columns * kIndicesPerCell);
            }
            pieces.push_back({first, static_cast<GLsizei>(grid.indices.size() - first)});
        }
    }
    return pieces;
}

namespace {

PiecedGrid InPieces(MeshGeometry grid) {
    std::vector<IndexRange> pieces = GroupCellsIntoPieces(grid, WaterPlane::kCellsPerPiece);
    return {std::move(grid), std::move(pieces), {}};
}

}  // namespace

WaterPlane::WaterPlane(float width, float depth, const glm::vec3& color)
    : WaterPlane(InPieces(WaterGrid(width, depth, color))) {}

WaterPlane::WaterPlane(PiecedGrid grid)
    : Mesh(grid.geometry.vertices, grid.geometry.indices, grid.noTextures),
      pieces(std::move(grid.pieces)) {}
