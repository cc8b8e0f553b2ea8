#pragma once

#include <cstdint>
#include <glm/glm.hpp>

#include "plants/plant_type.h"

// One placed plant: where it stands and the arguments its geometry is grown from.
struct PlantInstance {
    glm::vec3 position;  // world position of the base
    PlantType type;
    float scale;     // plant size
    float rotation;  // yaw about +Y in degrees, [0, 360)
    int32_t iterations;
    float heightFactor;  // 0 at the top of the height band, 1 at its bottom
};
