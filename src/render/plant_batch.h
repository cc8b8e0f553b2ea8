#pragma once

#include <vector>

#include "gfx/mesh.h"
#include "plants/plant_manager.h"
#include "render/view_volume.h"

// Every plant in one mesh, in world space: one vertex and one index buffer, each plant a run of
// indices with its box, in the order of the placed plants. A pass draws the plants it keeps in
// one call. Triangles a plant repeats exactly are left out (drawn again they change nothing).
//
// Behind the whole plants the same index buffer holds coarser levels of each plant over its own
// vertices, for a plant far enough away that their error stays under what the picture can show:
// `levelRuns[i]` starts with the whole plant (ranges[i]), `levelErrors[i]` with its error 0, in
// world units.
struct PlantBatch {
    Mesh mesh;
    std::vector<IndexRange> ranges;  // one per plant that has geometry
    std::vector<Bounds> bounds;      // the box of each range
    std::vector<std::vector<IndexRange>> levelRuns;
    std::vector<std::vector<float>> levelErrors;
};

// A coarser level of a plant's triangles: its vertices gathered in cubes of `cell` a side, each
// cube's vertices (of one facing, so the two faces of a leaf stay apart) drawn as the first of
// them, the triangles that shrink to a line or a point left out. No vertex moves farther than the
// cube's diagonal; only the plant's own vertices are used.
std::vector<GLuint> ClusteredTriangles(const std::vector<Vertex>& vertices,
                                       const std::vector<GLuint>& indices, float cell);

// Needs a current GL context; `plantManager` is left as it is.
PlantBatch BatchPlants(const PlantManager& plantManager);
