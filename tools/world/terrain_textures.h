#pragma once

#include <glm/glm.hpp>
#include <string>

#include "model_mesh.h"

// The islands' textures, which the terrain shader samples and lights instead of working out the
// ground's colour per pixel:
//   islands_colour.png  the ground's colour over the whole terrain square (u along x, v along z,
//                       as the islands' texture coordinates map it), and in alpha how much of it
//                       is open sand that the sea has rippled;
//   islands_detail.png  a small tile repeated every scene_layout::kTerrainDetailTile units: the
//                       ripples' tilt of the normal along x and z plus 0.5 (red, green) and a
//                       fine grain, half the factor it scales the colour by (blue).
// The file names, as the islands' material library names them.
inline constexpr const char* kIslandsColourMap = "islands_colour.png";
inline constexpr const char* kIslandsDetailMap = "islands_detail.png";

// The islands' texture coordinates of world position (x, z): the terrain square as [0, 1]^2.
glm::vec2 IslandsTexCoord(float x, float z);

// Writes both textures into `directory`, the colour map painted on `terrain` (the islands' mesh
// as written, one unit above where the player draws it); false when one cannot be written.
bool WriteTerrainTextures(const ModelMesh& terrain, const std::string& directory);
