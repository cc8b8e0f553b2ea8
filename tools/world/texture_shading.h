#pragma once

#include <glm/glm.hpp>

#include "smooth_step.h"

// An opaque RGBA colour for the procedural textures.
inline glm::vec4 Opaque(const glm::vec3& rgb) {
    return glm::vec4(rgb, 1.0f);
}
