#include "render/plant_batch.h"

#include "plants/world_plant_geometry.h"

PlantBatch BatchPlants(const PlantManager& plantManager) {
    MeshGeometry all;
    std::vector<IndexRange> ranges;
    std::vector<Bounds> bounds;
    for (size_t i = 0; i < plantManager.plants.size(); ++i) {
        // Seeded by the plant's place in the list, as each plant's own mesh is.
        const MeshGeometry plant = WithoutRepeatedTriangles(
            BuildWorldPlantGeometry(plantManager.plants[i], static_cast<uint32_t>(i)));
        if (plant.vertices.empty() || plant.indices.empty()) continue;
        const auto firstVertex = static_cast<GLuint>(all.vertices.size());
        ranges.push_back(
            {static_cast<GLuint>(all.indices.size()), static_cast<GLsizei>(plant.indices.size())});
        bounds.push_back(BoundsOf(plant.vertices));
        all.vertices.insert(all.vertices.end(), plant.vertices.begin(), plant.vertices.end());
        for (GLuint index : plant.indices) all.indices.push_back(firstVertex + index);
    }
    std::vector<Texture> noTextures;
    return {Mesh(all.vertices, all.indices, noTextures), std::move(ranges), std::move(bounds)};
}
