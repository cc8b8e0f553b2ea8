#include "render/terrain_chunks.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>
#include <unordered_map>

namespace {

constexpr int kCellsPerSide = 12;

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

Bounds Transformed(const Bounds& box, const glm::mat4& model) {
    Bounds world{glm::vec3(std::numeric_limits<float>::max()),
                 glm::vec3(std::numeric_limits<float>::lowest())};
    for (int corner = 0; corner < 8; ++corner) {
        const glm::vec3 p((corner & 1) ? box.max.x : box.min.x,
                          (corner & 2) ? box.max.y : box.min.y,
                          (corner & 4) ? box.max.z : box.min.z);
        const glm::vec3 moved(model * glm::vec4(p, 1.0f));
        world.min = glm::min(world.min, moved);
        world.max = glm::max(world.max, moved);
    }
    return world;
}

}  // namespace

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
    TerrainChunks terrain;
    for (const Mesh& source : terrainMeshes) {
        for (ChunkGeometry& chunk : CutIntoChunks(source.vertices, source.indices, kCellsPerSide)) {
            std::vector<Texture> textures = source.textures;
            terrain.bounds.push_back(Transformed(BoundsOf(chunk.vertices), model));
            terrain.meshes.emplace_back(chunk.vertices, chunk.indices, textures);
        }
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
