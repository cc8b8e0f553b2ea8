#pragma once

#include "model_mesh.h"

// The islands terrain as written to islands.obj (file y = world y + 1): a height field sampled on
// nested square grids, finest (0.2 units) in the water the camera looks down into by the well,
// 0.4 units where it skims the water and follows the firefly, coarser outwards to 6 units at the
// edge of the sea. Neighbouring grids are stitched by a band of triangles so the surface has no
// cracks. Normals are smoothed over the shared vertices; texture coordinates are world x, z over 8.
Model MakeTerrainModel();
