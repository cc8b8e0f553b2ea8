#include "terrain_levels_writer.h"

#include <meshoptimizer.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iostream>

#include "gfx/obj_loader.h"
#include "render/terrain_levels.h"

namespace {

// The errors, in model units, each coarser level may reach: the finest serves a piece close to
// the camera or the sun's map, the coarsest the far shores.
constexpr float kLevelErrors[] = {0.01f, 0.03f, 0.1f, 0.3f};

// A coarser level keeps at most this share of the finer one's triangles; else it is not worth
// its indices.
constexpr float kWorthwhileShare = 0.8f;

constexpr int kSearchSteps = 8;

// How far the piece's vertices lie from the level's surface, each measured from the plane of
// the level triangle over it: the simplifier's own estimate can fall short of it several times
// over on the steep flanks. Each level triangle measures the vertices over it, found among the
// vertices sorted by x.
float SurfaceError(const ChunkGeometry& piece, const std::vector<GLuint>& level) {
    std::vector<glm::vec3> points;
    for (const Vertex& vertex : piece.vertices) points.push_back(vertex.position);
    std::sort(points.begin(), points.end(),
              [](const glm::vec3& a, const glm::vec3& b) { return a.x < b.x; });
    float largest = 0.0f;
    for (size_t t = 0; t + 2 < level.size(); t += 3) {
        const glm::vec3 a = piece.vertices[level[t]].position;
        const glm::vec3 b = piece.vertices[level[t + 1]].position;
        const glm::vec3 c = piece.vertices[level[t + 2]].position;
        const glm::vec3 normal = glm::cross(b - a, c - a);
        if (normal.y == 0.0f) continue;  // no footprint: covers no vertex
        const glm::vec3 unit = glm::normalize(normal);
        const float lowX = std::min({a.x, b.x, c.x}), highX = std::max({a.x, b.x, c.x});
        const float lowZ = std::min({a.z, b.z, c.z}), highZ = std::max({a.z, b.z, c.z});
        auto p = std::lower_bound(points.begin(), points.end(), lowX,
                                  [](const glm::vec3& point, float x) { return point.x < x; });
        for (; p != points.end() && p->x <= highX; ++p) {
            if (p->z < lowZ || p->z > highZ) continue;
            // The point's weights in the triangle's footprint, seen from above.
            const glm::vec2 e1(b.x - a.x, b.z - a.z), e2(c.x - a.x, c.z - a.z);
            const glm::vec2 d(p->x - a.x, p->z - a.z);
            const auto across = [](const glm::vec2& u, const glm::vec2& v) {
                return u.x * v.y - u.y * v.x;
            };
            const float area = across(e1, e2);
            const float wb = across(d, e2) / area, wc = across(e1, d) / area;
            if (wb < -1e-5f || wc < -1e-5f || wb + wc > 1.0f + 1e-5f) continue;
            largest = std::max(largest, std::fabs(glm::dot(*p - a, unit)));
        }
    }
    return largest;
}

// The fewest triangles meshoptimizer leaves whose surface stays within `error` of every vertex
// as measured: its own estimate falls short of the measured error by up to ten times, so the
// bound it is given is searched for (halving its logarithm's interval).
PieceLevel Simplified(const ChunkGeometry& piece, float error) {
    const float* positions = &piece.vertices[0].position.x;
    const size_t vertexCount = piece.vertices.size();
    const float scale = meshopt_simplifyScale(positions, vertexCount, sizeof(Vertex));
    PieceLevel best{0.0f, piece.indices};
    float low = std::log(error / scale * 0.02f), high = std::log(error / scale);
    for (int step = 0; step < kSearchSteps; ++step) {
        const float bound = step == 0 ? high : 0.5f * (low + high);
        std::vector<GLuint> indices(piece.indices.size());
        indices.resize(meshopt_simplify(indices.data(), piece.indices.data(), piece.indices.size(),
                                        positions, vertexCount, sizeof(Vertex), 0, std::exp(bound),
                                        meshopt_SimplifyLockBorder));
        const float measured = SurfaceError(piece, indices);
        if (measured <= error) {
            if (indices.size() < best.indices.size()) best = {measured, std::move(indices)};
            if (step == 0) break;
            low = bound;
        } else {
            high = bound;
        }
    }
    return best;
}

std::vector<PieceLevel> LevelsOf(const ChunkGeometry& piece) {
    std::vector<PieceLevel> levels;
    size_t finerCount = piece.indices.size();
    for (const float error : kLevelErrors) {
        PieceLevel level = Simplified(piece, error);
        const size_t count = level.indices.size();
        if (static_cast<float>(count) > kWorthwhileShare * static_cast<float>(finerCount)) continue;
        meshopt_optimizeVertexCache(level.indices.data(), level.indices.data(), count,
                                    piece.vertices.size());
        if (!levels.empty()) level.error = std::max(level.error, levels.back().error);
        levels.push_back(std::move(level));
        finerCount = count;
    }
    return levels;
}

}  // namespace

bool WriteTerrainLevels(const std::string& objPath, const std::string& levelsPath) {
    std::vector<ObjMaterialGeometry> materials;
    if (!ReadObjGeometry(objPath, materials, std::cerr)) return false;
    std::vector<ChunkGeometry> pieces;
    for (const ObjMaterialGeometry& material : materials) {
        for (ChunkGeometry& piece :
             CutIntoChunks(material.vertices, material.indices, kTerrainCellsPerSide)) {
            pieces.push_back(std::move(piece));
        }
    }
    TerrainLevels levels;
    levels.fingerprint = PiecesFingerprint(pieces);
    for (const ChunkGeometry& piece : pieces) {
        levels.vertexCounts.push_back(static_cast<std::uint32_t>(piece.vertices.size()));
        levels.pieces.push_back(LevelsOf(piece));
    }
    std::ofstream out(levelsPath, std::ios::binary);
    out << EncodeTerrainLevels(levels);
    out.close();
    if (!out) std::cerr << "Could not write " << levelsPath << '\n';
    return static_cast<bool>(out);
}
