#pragma once

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
struct TerrainChunks {
    std::vector<Mesh> meshes;
    std::vector<Bounds> bounds;
};
TerrainChunks ChunkTerrain(const std::vector<Mesh>& terrainMeshes, const glm::mat4& model);

// The indices of the boxes that `keep` accepts, nearest to `eye` first.
std::vector<size_t> NearestFirst(const std::vector<Bounds>& boxes,
                                 const std::function<bool(const Bounds&)>& keep,
                                 const glm::vec3& eye);
