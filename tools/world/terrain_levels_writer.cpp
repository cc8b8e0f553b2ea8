#include "terrain_levels_writer.h"

#include <meshoptimizer.h>

#include <algorithm>
#include <fstream>
#include <iostream>

#include "gfx/obj_loader.h"
#include "render/terrain_levels.h"

namespace {

// The errors, in model units, each coarser level may reach: the finest serves a piece close to
// the camera or the sun's map, the coarsest the far shores.
constexpr float kLevelErrors[] = {0.02f, 0.06f, 0.18f, 0.5f};

// A coarser level keeps at most this share of the finer one's triangles; else it is not worth
// its indices.
constexpr float kWorthwhileShare = 0.8f;

std::vector<PieceLevel> LevelsOf(const ChunkGeometry& piece) {
    const float* positions = &piece.vertices[0].position.x;
    const size_t vertexCount = piece.vertices.size();
    const float scale = meshopt_simplifyScale(positions, vertexCount, sizeof(Vertex));
    std::vector<PieceLevel> levels;
    size_t finerCount = piece.indices.size();
    for (const float error : kLevelErrors) {
        std::vector<GLuint> indices(piece.indices.size());
        float reached = 0.0f;
        indices.resize(meshopt_simplify(indices.data(), piece.indices.data(), piece.indices.size(),
                                        positions, vertexCount, sizeof(Vertex), 0, error / scale,
                                        meshopt_SimplifyLockBorder, &reached));
        if (static_cast<float>(indices.size()) >
            kWorthwhileShare * static_cast<float>(finerCount)) {
            continue;
        }
        meshopt_optimizeVertexCache(indices.data(), indices.data(), indices.size(), vertexCount);
        const float finerError = levels.empty() ? 0.0f : levels.back().error;
        levels.push_back({std::max(reached * scale, finerError), std::move(indices)});
        finerCount = levels.back().indices.size();
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
