#pragma once

#include <vector>

#include "gfx/mesh.h"
#include "plants/plant_manager.h"
#include "render/view_volume.h"

// Every plant in one mesh, in world space: one vertex and one index buffer, each plant a run of
// indices with its box, in the order of the placed plants. A pass draws the plants it keeps in
// one call. Triangles a plant repeats exactly are left out (drawn again they change nothing).
struct PlantBatch {
    Mesh mesh;
    std::vector<IndexRange> ranges;  // one per plant that has geometry
    std::vector<Bounds> bounds;      // the box of each range
};

// Needs a current GL context; `plantManager` is left as it is.
PlantBatch BatchPlants(const PlantManager& plantManager);
