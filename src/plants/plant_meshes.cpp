#include <type_traits>

#include "plants/plant_manager.h"
#include "plants/world_plant_geometry.h"

static_assert(std::is_same_v<GLuint, uint32_t>, "plant indices are handed to Mesh as they are");

std::vector<Mesh> PlantManager::CreatePlantMeshes() const {
    std::vector<Mesh> meshes;
    std::vector<Texture> noTextures;
    for (size_t i = 0; i < plants.size(); ++i) {
        // Each plant's variation is seeded by its place in the list, not by the placement seed.
        MeshGeometry geometry = BuildWorldPlantGeometry(plants[i], static_cast<uint32_t>(i));
        if (!geometry.vertices.empty() && !geometry.indices.empty()) {
            meshes.emplace_back(geometry.vertices, geometry.indices, noTextures);
        }
    }
    return meshes;
}
