#include "render/terrain_chunks.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <unordered_map>

#include "render/terrain_levels.h"

namespace {

// Vertices are shared only when every field is bit for bit the same.
struct VertexBits {
    unsigned char bytes[sizeof(Vertex)];
    bool operator==(const VertexBits& other) const {
        return std::memcmp(bytes, other.bytes, sizeof bytes) == 0;
    }
};
struct VertexBitsHash {
    size_t operator()(const VertexBits& v) const {
        uint64_t hash = 1469598103934665603u;  // FNV-1a, 64-bit on every platform
        for (unsigned char byte : v.bytes) hash = (hash ^ byte) * 1099511628211u;
        return static_cast<size_t>(hash);
    }
};

class ChunkBuilder {
  public:
    void AddVertex(const Vertex& vertex) {
        VertexBits key;
        std::memcpy(key.bytes, &vertex, sizeof vertex);
        const auto [found, added] =
            indexOf.try_emplace(key, static_cast<GLuint>(chunk.vertices.size()));
        if (added) chunk.vertices.push_back(vertex);
        chunk.indices.push_back(found->second);
    }
    ChunkGeometry Take() { return std::move(chunk); }
    bool Empty() const { return chunk.indices.empty(); }

  private:
    ChunkGeometry chunk;
    std::unordered_map<VertexBits, GLuint, VertexBitsHash> indexOf;
};

// A triangle's corners seen from above: x and z.
struct Footprint {
    glm::vec2 corners[3];
};

// Twice the signed area of (a, b, p) seen from above: positive when p lies to the left of a->b
// as a counter-clockwise triangle facing up has its inside.
float LeftOf(const glm::vec2& a, const glm::vec2& b, const glm::vec2& p) {
    return (b.y - a.y) * (p.x - a.x) - (b.x - a.x) * (p.y - a.y);
}

bool HoldsStrictly(const Footprint& triangle, const glm::vec2& p) {
    const glm::vec2* c = triangle.corners;
    const float margin = 1e-5f * LeftOf(c[0], c[1], c[2]);
    return LeftOf(c[0], c[1], p) > margin && LeftOf(c[1], c[2], p) > margin &&
           LeftOf(c[2], c[0], p) > margin;
}

// Whether no footprint holds the centre of another, looked up through a grid of cells over their
// extent, each cell listing the footprints whose boxes reach into it.
bool NoneOverAnother(const std::vector<Footprint>& footprints) {
    if (footprints.empty()) return true;
    glm::vec2 low(std::numeric_limits<float>::max()), high(std::numeric_limits<float>::lowest());
    for (const Footprint& f : footprints) {
        for (const glm::vec2& c : f.corners) low = glm::min(low, c), high = glm::max(high, c);
    }
    const int cells = std::clamp(static_cast<int>(std::sqrt(footprints.size() / 2.0)), 1, 512);
    const glm::vec2 cellSize = glm::max(high - low, glm::vec2(1e-6f)) / static_cast<float>(cells);
    const auto cellOf = [&](const glm::vec2& p) {
        return glm::clamp(glm::ivec2((p - low) / cellSize), 0, cells - 1);
    };
    std::vector<std::vector<size_t>> grid(static_cast<size_t>(cells) * cells);
    for (size_t i = 0; i < footprints.size(); ++i) {
        const glm::vec2* c = footprints[i].corners;
        const glm::ivec2 from = cellOf(glm::min(glm::min(c[0], c[1]), c[2]));
        const glm::ivec2 to = cellOf(glm::max(glm::max(c[0], c[1]), c[2]));
        for (int y = from.y; y <= to.y; ++y) {
            for (int x = from.x; x <= to.x; ++x)
                grid[static_cast<size_t>(y * cells + x)].push_back(i);
        }
    }
    for (size_t i = 0; i < footprints.size(); ++i) {
        const glm::vec2* c = footprints[i].corners;
        const glm::vec2 centre = (c[0] + c[1] + c[2]) / 3.0f;
        const glm::ivec2 cell = cellOf(centre);
        for (size_t j : grid[static_cast<size_t>(cell.y * cells + cell.x)]) {
            if (j != i && HoldsStrictly(footprints[j], centre)) return false;
        }
    }
    return true;
}

}  // namespace

bool IsUpwardHeightField(const std::vector<ChunkGeometry>& pieces, const glm::mat4& model) {
    std::vector<Footprint> footprints;
    for (const ChunkGeometry& mesh : pieces) {
        for (size_t t = 0; t + 2 < mesh.indices.size(); t += 3) {
            glm::vec3 p[3];
            for (int k = 0; k < 3; ++k) {
                p[k] =
                    glm::vec3(model * glm::vec4(mesh.vertices[mesh.indices[t + k]].position, 1.0f));
            }
            const glm::vec3 normal = glm::cross(p[1] - p[0], p[2] - p[0]);
            if (normal == glm::vec3(0.0f)) continue;  // no area: draws nothing
            if (normal.y <= 0.0f) return false;
            footprints.push_back({{{p[0].x, p[0].z}, {p[1].x, p[1].z}, {p[2].x, p[2].z}}});
        }
    }
    return NoneOverAnother(footprints);
}

std::vector<ChunkGeometry> CutIntoChunks(const std::vector<Vertex>& vertices,
                                         const std::vector<GLuint>& indices, int cellsPerSide) {
    const Bounds extent = BoundsOf(vertices);
    const glm::vec2 low(extent.min.x, extent.min.z);
    const glm::vec2 size = glm::max(glm::vec2(extent.max.x, extent.max.z) - low, glm::vec2(1e-6f));
    std::vector<ChunkBuilder> cells(static_cast<size_t>(cellsPerSide * cellsPerSide));
    for (size_t t = 0; t + 2 < indices.size(); t += 3) {
        const Vertex* corners[3] = {&vertices[indices[t]], &vertices[indices[t + 1]],
                                    &vertices[indices[t + 2]]};
        const glm::vec3 centre =
            (corners[0]->position + corners[1]->position + corners[2]->position) / 3.0f;
        const glm::ivec2 cell = glm::clamp(glm::ivec2((glm::vec2(centre.x, centre.z) - low) / size *
                                                      static_cast<float>(cellsPerSide)),
                                           0, cellsPerSide - 1);
        ChunkBuilder& builder = cells[static_cast<size_t>(cell.y * cellsPerSide + cell.x)];
        for (const Vertex* corner : corners) builder.AddVertex(*corner);
    }
    std::vector<ChunkGeometry> chunks;
    for (ChunkBuilder& builder : cells) {
        if (!builder.Empty()) chunks.push_back(builder.Take());
    }
    return chunks;
}

TerrainChunks ChunkTerrain(const std::vector<Mesh>& terrainMeshes, const glm::mat4& model) {
    std::vector<ChunkGeometry> pieces;
    std::vector<const Mesh*> sources;
    for (const Mesh& source : terrainMeshes) {
        for (ChunkGeometry& chunk :
             CutIntoChunks(source.vertices, source.indices, kTerrainCellsPerSide)) {
            pieces.push_back(std::move(chunk));
            sources.push_back(&source);
        }
    }
    TerrainChunks terrain;
    terrain.heightField = IsUpwardHeightField(pieces, model);
    terrain.fingerprint = PiecesFingerprint(pieces);
    terrain.modelScale =
        std::max({glm::length(glm::vec3(model[0])), glm::length(glm::vec3(model[1])),
                  glm::length(glm::vec3(model[2]))});
    for (size_t i = 0; i < pieces.size(); ++i) {
        std::vector<Texture> textures = sources[i]->textures;
        terrain.vertexCounts.push_back(static_cast<std::uint32_t>(pieces[i].vertices.size()));
        terrain.bounds.push_back(Transformed(BoundsOf(pieces[i].vertices), model));
        terrain.meshes.emplace_back(pieces[i].vertices, pieces[i].indices, textures);
    }
    return terrain;
}

bool AboveTheTerrain(const std::vector<Bounds>& chunks, const glm::vec3& point) {
    bool overTheTerrain = false;
    for (const Bounds& box : chunks) {
        if (point.x < box.min.x || point.x > box.max.x || point.z < box.min.z ||
            point.z > box.max.z)
            continue;
        overTheTerrain = true;
        if (point.y <= box.max.y) return false;
    }
    return overTheTerrain || point.y > HighestPoint(chunks);
}

float HighestPoint(const std::vector<Bounds>& chunks) {
    float highest = std::numeric_limits<float>::lowest();
    for (const Bounds& box : chunks) highest = std::max(highest, box.max.y);
    return highest;
}

std::vector<size_t> NearestFirst(const std::vector<Bounds>& boxes,
                                 const std::function<bool(const Bounds&)>& keep,
                                 const glm::vec3& eye) {
    std::vector<std::pair<float, size_t>> visible;
    for (size_t i = 0; i < boxes.size(); ++i) {
        if (!keep(boxes[i])) continue;
        const glm::vec3 nearest = glm::clamp(eye, boxes[i].min, boxes[i].max);
        visible.emplace_back(glm::dot(nearest - eye, nearest - eye), i);
    }
    std::sort(visible.begin(), visible.end());
    std::vector<size_t> order;
    order.reserve(visible.size());
    for (const auto& entry : visible) order.push_back(entry.second);
    return order;
}
