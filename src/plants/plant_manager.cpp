#include "plants/plant_manager.h"

#include <algorithm>
#include <random>

#include "plants/seeded_random.h"

void PlantManager::Clear() {
    plants.clear();
}

bool PlantManager::IsSuitableForPlant(const glm::vec3& position, float heightLimit) const {
    return heightLimit - kBandDepth <= position.y && position.y < heightLimit;
}

PlantType PlantManager::GetPlantTypeForHeight(float, float) const {
    return Type4;
}

void PlantManager::GeneratePlantsOnTerrain(const std::vector<Vertex>& terrainVertices,
                                           float heightLimit, int count, uint32_t seed) {
    Clear();
    if (terrainVertices.empty()) {
        return;
    }
    std::mt19937 engine(seed);

    std::vector<glm::vec3> candidates;
    for (const Vertex& vertex : terrainVertices) {
        if (vertex.position.y < heightLimit) {
            candidates.push_back(vertex.position);
        }
    }
    if (candidates.empty()) {
        return;
    }
    const uint32_t lastCandidate = static_cast<uint32_t>(candidates.size() - 1);

    for (int attempt = 0; attempt < count; ++attempt) {
        // Sites are drawn with replacement: one vertex may carry several plants.
        const glm::vec3 site = candidates[UniformInt(engine, 0, lastCandidate)];
        if (!IsSuitableForPlant(site, heightLimit)) {
            continue;
        }
        const PlantType type = GetPlantTypeForHeight(site.y, heightLimit);
        const float heightFactor = std::clamp((heightLimit - site.y) / kBandDepth, 0.0f, 1.0f);
        // Deeper sites grow larger plants.
        const float scale = UniformReal(engine, 0.5f, 1.5f) * (0.3f + heightFactor);
        const float rotation = UniformReal(engine, 0.0f, 360.0f);
        const int32_t iterations = static_cast<int32_t>(UniformInt(engine, 2, 4));
        plants.push_back({site, type, scale, rotation, iterations, heightFactor});
    }
}
