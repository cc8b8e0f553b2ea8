#pragma once

#include <cstdint>
#include <glm/glm.hpp>
#include <vector>

#include "gfx/mesh_geometry.h"
#include "plants/plant_instance.h"

// Turns the plant about its own base, then moves the base to the plant's position.
glm::mat4 PlantModelMatrix(const PlantInstance& plant);

// Grows the plant from `seed` and moves its positions and normals into world space, ready to
// upload as a mesh.
MeshGeometry BuildWorldPlantGeometry(const PlantInstance& plant, uint32_t seed);
