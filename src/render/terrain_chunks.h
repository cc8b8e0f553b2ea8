#pragma once

#include <cstdint>
#include <functional>
#include <glm/glm.hpp>
#include <vector>

#include "gfx/gl.h"
#include "gfx/mesh.h"
#include "render/view_volume.h"

// One square piece of a mesh: its triangles over shared vertices, in model space.
struct ChunkGeometry {
    std::vector<Vertex> vertices;
    std::vector<GLuint> indices;
};

// Cuts a mesh's triangles into a grid of cellsPerSide x cellsPerSide squares over its horizontal
// extent, by each triangle's centre, and lets every piece share the vertices its triangles have
// in common (the model files repeat a vertex for every triangle that uses it). Triangle order
// and winding are kept within a piece; empty pieces are left out.
std::vector<ChunkGeometry> CutIntoChunks(const std::vector<Vertex>& vertices,
                                         const std::vector<GLuint>& indices, int cellsPerSide);

// The terrain as chunks, uploaded, with their boxes in world space (through `model`), so that the
// passes can leave out the chunks outside their view and draw the others nearest first.
// `heightField`: the terrain's triangles all face up and none lies over another, the one shape
// whose back faces an eye above it never sees.
//
// Coarser levels of each piece come later, on first need (render/terrain_levels.h): `fingerprint`
// and `vertexCounts` say which pieces a level file must have been made for; once read, each
// piece's levels are runs of its index buffer, the whole piece first, with their errors in world
// units (0 for the whole piece).
struct TerrainChunks {
    std::vector<Mesh> meshes;
    std::vector<Bounds> bounds;
    bool heightField = false;
    std::uint64_t fingerprint = 0;
    std::vector<std::uint32_t> vertexCounts;
    float modelScale = 1.0f;  // the longest of the model matrix's axes
    bool levelsRead = false;  // tried, whatever came of it
    std::vector<std::vector<IndexRange>> levelRuns;
    std::vector<std::vector<float>> levelErrors;
};

// The terrain model is cut into this many pieces along each side.
constexpr int kTerrainCellsPerSide = 12;
TerrainChunks ChunkTerrain(const std::vector<Mesh>& terrainMeshes, const glm::mat4& model);

// Whether the pieces, placed by `model`, form a height field seen from above: every triangle of
// some area is wound counter-clockwise seen from above (its front faces up) and no triangle lies
// over or under another (none holds the centre of another in its footprint on the ground).
bool IsUpwardHeightField(const std::vector<ChunkGeometry>& pieces, const glm::mat4& model);

// Whether `point` lies above the terrain at its own x, z: higher than every chunk whose box holds
// it in x and z, or, beside the terrain, higher than all of it. Every ray from such a point meets
// the terrain (a height field with its front faces up) on its upper side first, so that culling
// back faces for an eye there leaves the picture as it was; from below the ground the back faces
// are what the eye sees.
bool AboveTheTerrain(const std::vector<Bounds>& chunks, const glm::vec3& point);
// The height of the terrain's highest point: every ray that starts above it meets the terrain on
// its upper side first, wherever it goes.
float HighestPoint(const std::vector<Bounds>& chunks);

// The indices of the boxes that `keep` accepts, nearest to `eye` first.
std::vector<size_t> NearestFirst(const std::vector<Bounds>& boxes,
                                 const std::function<bool(const Bounds&)>& keep,
                                 const glm::vec3& eye);
