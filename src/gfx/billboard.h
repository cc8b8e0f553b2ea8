#pragma once

#include <glm/glm.hpp>

// Model matrix that turns a quad built in the z = 0 plane to face a camera looking along
// `orientation`: its x axis along the camera's right, its y axis along `up` made perpendicular
// to the view, scaled by `size` and centred at `position`.
glm::mat4 BillboardMatrix(const glm::vec3& orientation, const glm::vec3& up,
                          const glm::vec3& position, float size);
