#pragma once

#include <string>

// Writes every model and texture of the film under `resourcesDir` (normally "resources"):
//   models/islands/islands.obj + .mtl + islands_colour.png, islands_detail.png, and the levels
//     of detail of its pieces, islands.levels
//   models/well/well.obj + .mtl + well_*.png
//   models/statue/12338_Statue_v1_L3.obj + .mtl
//   models/firefly/Firefly_Flit.obj + .mtl + firefly_diffuse.png, firefly_glow.png
//   brick.png, moon_texture.png
// The same bytes on every run. Returns false (after printing what failed) when a file cannot be
// written.
bool GenerateWorld(const std::string& resourcesDir);
