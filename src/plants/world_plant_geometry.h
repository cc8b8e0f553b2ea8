#pragma once

#include <cstdint>
#include <glm/glm.hpp>
#include <vector>

#include "gfx/vertex.h"
#include "plants/plant_instance.h"

// One plant's triangles with its placement baked in, ready to upload as a mesh.
struct PlantGeometry {
    std::vector<Vertex> vertices;
    std::vector<uint32_t> indices;
};

// Turns the plant about its own base, then moves the base to the plant's position.
glm::mat4 PlantModelMatrix(const PlantInstance& plant);

// Grows the plant from `seed` and moves its positions and normals into world space.
PlantGeometry BuildWorldPlantGeometry(const PlantInstance& plant, uint32_t seed);
