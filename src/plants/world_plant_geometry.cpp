#include "plants/world_plant_geometry.h"

#include <glm/gtc/matrix_transform.hpp>

#include "plants/l_system.h"

glm::mat4 PlantModelMatrix(const PlantInstance& plant) {
    const glm::mat4 identity(1.0f);
    return glm::translate(identity, plant.position) *
           glm::rotate(identity, glm::radians(plant.rotation), glm::vec3(0.0f, 1.0f, 0.0f));
}

MeshGeometry BuildWorldPlantGeometry(const PlantInstance& plant, uint32_t seed) {
    MeshGeometry geometry;
    LSystem::CreatePlant(plant.type, geometry.vertices, geometry.indices, plant.scale,
                         plant.iterations, seed, plant.heightFactor);

    const glm::mat4 model = PlantModelMatrix(plant);
    const glm::mat3 normalMatrix = glm::transpose(glm::inverse(glm::mat3(model)));
    for (Vertex& vertex : geometry.vertices) {
        vertex.position = glm::vec3(model * glm::vec4(vertex.position, 1.0f));
        vertex.normal = glm::normalize(normalMatrix * vertex.normal);
    }
    return geometry;
}
