#include "gfx/billboard.h"

glm::mat4 BillboardMatrix(const glm::vec3& orientation, const glm::vec3& up,
                          const glm::vec3& position, float size) {
    const glm::vec3 right = glm::normalize(glm::cross(orientation, up));
    const glm::vec3 billboardUp = glm::normalize(glm::cross(right, orientation));
    return glm::mat4(glm::vec4(right * size, 0.0f), glm::vec4(billboardUp * size, 0.0f),
                     glm::vec4(-orientation * size, 0.0f), glm::vec4(position, 1.0f));
}
