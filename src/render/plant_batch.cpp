#include "render/plant_batch.h"

#include <cmath>
#include <cstdint>
#include <unordered_map>

#include "plants/world_plant_geometry.h"

namespace {

// The cubes of the coarser levels, in world units: a level is made only where it leaves out
// at least a quarter of the finer one's triangles.
constexpr float kLevelCells[] = {0.02f, 0.06f};
constexpr float kWorthwhileShare = 0.75f;

}  // namespace

std::vector<GLuint> ClusteredTriangles(const std::vector<Vertex>& vertices,
                                       const std::vector<GLuint>& indices, float cell) {
    // Which way a vertex faces: the axis its normal leans along most, with its sign.
    const auto facing = [](const glm::vec3& n) {
        const glm::vec3 a = glm::abs(n);
        const int axis = a.x >= a.y && a.x >= a.z ? 0 : (a.y >= a.z ? 1 : 2);
        return static_cast<std::uint64_t>(2 * axis + (n[axis] < 0.0f ? 1 : 0));
    };
    // The cube's place, 20 bits an axis (a million cubes along each), and the facing.
    const auto cubeKey = [&](const Vertex& v) {
        const glm::ivec3 c(glm::floor(v.position / cell));
        const auto bits = [](int i) { return static_cast<std::uint64_t>(i) & 0xfffffu; };
        return bits(c.x) << 43 | bits(c.y) << 23 | bits(c.z) << 3 | facing(v.normal);
    };
    constexpr GLuint kUnknown = ~GLuint(0);
    std::unordered_map<std::uint64_t, GLuint> first;
    first.reserve(vertices.size());
    std::vector<GLuint> drawnAs(vertices.size(), kUnknown);
    const auto representative = [&](GLuint index) {
        if (drawnAs[index] == kUnknown) {
            drawnAs[index] = first.emplace(cubeKey(vertices[index]), index).first->second;
        }
        return drawnAs[index];
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
    std::vector<std::vector<IndexRange>> levelRuns;
    std::vector<std::vector<float>> levelErrors;
    std::vector<GLuint> levels;  // the coarser levels, numbered from the end of the whole plants
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
        std::vector<IndexRange>& runs = levelRuns.emplace_back(1, ranges.back());
        std::vector<float>& errors = levelErrors.emplace_back(1, 0.0f);
        for (const float cell : kLevelCells) {
            const std::vector<GLuint> level =
                ClusteredTriangles(plant.vertices, plant.indices, cell);
            if (static_cast<float>(level.size()) > kWorthwhileShare * runs.back().count) continue;
            runs.push_back(
                {static_cast<GLuint>(levels.size()), static_cast<GLsizei>(level.size())});
            errors.push_back(cell * std::sqrt(3.0f));
            for (GLuint index : level) levels.push_back(firstVertex + index);
        }
    }
    const auto wholeCount = static_cast<GLuint>(all.indices.size());
    for (std::vector<IndexRange>& runs : levelRuns) {
        for (size_t level = 1; level < runs.size(); ++level) runs[level].first += wholeCount;
    }
    all.indices.insert(all.indices.end(), levels.begin(), levels.end());
    std::vector<Texture> noTextures;
    Mesh mesh(all.vertices, all.indices, noTextures);
    mesh.indices.resize(wholeCount);  // the buffer holds the levels behind them
    return {mesh, std::move(ranges), std::move(bounds), std::move(levelRuns),
            std::move(levelErrors)};
}
