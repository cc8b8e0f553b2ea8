#include "render/plant_batch.h"

#include <cmath>
#include <map>
#include <tuple>

#include "plants/world_plant_geometry.h"

namespace {

// The cubes of the coarser levels, in world units: a level is made only where it leaves out
// at least a quarter of the finer one's triangles.
constexpr float kLevelCells[] = {0.02f, 0.06f, 0.2f};
constexpr float kWorthwhileShare = 0.75f;

}  // namespace

std::vector<GLuint> ClusteredTriangles(const std::vector<Vertex>& vertices,
                                       const std::vector<GLuint>& indices, float cell) {
    // Which way a vertex faces: the axis its normal leans along most, with its sign.
    const auto facing = [](const glm::vec3& n) {
        const glm::vec3 a = glm::abs(n);
        const int axis = a.x >= a.y && a.x >= a.z ? 0 : (a.y >= a.z ? 1 : 2);
        return 2 * axis + (n[axis] < 0.0f ? 1 : 0);
    };
    std::map<std::tuple<long, long, long, int>, GLuint> first;
    std::map<GLuint, GLuint> drawnAs;
    const auto representative = [&](GLuint index) {
        const auto known = drawnAs.find(index);
        if (known != drawnAs.end()) return known->second;
        const Vertex& v = vertices[index];
        const glm::vec3 c = glm::floor(v.position / cell);
        const auto key = std::make_tuple(static_cast<long>(c.x), static_cast<long>(c.y),
                                         static_cast<long>(c.z), facing(v.normal));
        const GLuint chosen = first.emplace(key, index).first->second;
        drawnAs.emplace(index, chosen);
        return chosen;
    };
    std::vector<GLuint> kept;
    for (size_t t = 0; t + 2 < indices.size(); t += 3) {
        const GLuint a = representative(indices[t]), b = representative(indices[t + 1]),
                     c = representative(indices[t + 2]);
        if (a == b || b == c || a == c) continue;
        kept.insert(kept.end(), {a, b, c});
    }
    return kept;
}

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
    // The coarser levels follow all the whole plants.
    std::vector<std::vector<IndexRange>> levelRuns;
    std::vector<std::vector<float>> levelErrors;
    const std::vector<GLuint> wholeIndices = all.indices;
    for (const IndexRange& plant : ranges) {
        std::vector<IndexRange>& runs = levelRuns.emplace_back(1, plant);
        std::vector<float>& errors = levelErrors.emplace_back(1, 0.0f);
        const std::vector<GLuint> whole(wholeIndices.begin() + plant.first,
                                        wholeIndices.begin() + plant.first + plant.count);
        for (const float cell : kLevelCells) {
            const std::vector<GLuint> level = ClusteredTriangles(all.vertices, whole, cell);
            if (static_cast<float>(level.size()) > kWorthwhileShare * runs.back().count) continue;
            runs.push_back(
                {static_cast<GLuint>(all.indices.size()), static_cast<GLsizei>(level.size())});
            errors.push_back(cell * std::sqrt(3.0f));
            all.indices.insert(all.indices.end(), level.begin(), level.end());
        }
    }
    std::vector<Texture> noTextures;
    Mesh mesh(all.vertices, all.indices, noTextures);
    mesh.indices.resize(wholeIndices.size());  // the buffer holds the levels behind them
    return {mesh, std::move(ranges), std::move(bounds), std::move(levelRuns),
            std::move(levelErrors)};
}
