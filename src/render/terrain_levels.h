#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "gfx/gl.h"
#include "render/terrain_chunks.h"

// Coarser versions of the terrain's pieces, made by the world generator and stored beside the
// model: each level is a triangle list over the piece's own vertices (every vertex stays, so the
// plants and every number printed stay as they are), its border kept where the neighbouring
// pieces meet it. A level's `error` is how far, in model units, its surface may lie from the
// piece's whole surface.
struct PieceLevel {
    float error = 0.0f;
    std::vector<GLuint> indices;
};

// The file's contents: what the pieces were when the levels were made, and the levels of each
// piece, finest first (the whole piece is not among them).
struct TerrainLevels {
    std::uint64_t fingerprint = 0;
    std::vector<std::uint32_t> vertexCounts;
    std::vector<std::vector<PieceLevel>> pieces;
};

// The level file, relative to resources/.
constexpr const char* kTerrainLevelsFile = "models/islands/islands.levels";

// A checksum of the pieces' vertex positions and index lists, in their order.
std::uint64_t PiecesFingerprint(const std::vector<ChunkGeometry>& pieces);

std::string EncodeTerrainLevels(const TerrainLevels& levels);
// The levels in `bytes`, checked against the pieces they are for (their fingerprint and vertex
// counts): every level a whole number of triangles over its piece's vertices, its error finite and
// growing from level to level. On any fault `problem` says what, in a few words.
struct DecodedLevels {
    TerrainLevels levels;
    std::string problem;
};
DecodedLevels DecodeTerrainLevels(const std::string& bytes, std::uint64_t fingerprint,
                                  const std::vector<std::uint32_t>& vertexCounts);

// The coarsest of a piece's (or a plant's) levels (0 the whole piece, then the coarser ones by
// `errors`, in world units, finest first) whose error stays within `allowed`. A piece drawn at
// `current` becomes finer as soon as its level's error exceeds what is allowed, but coarser only
// once the coarser level's error is well within it, so that a piece at the edge does not switch
// back and forth as the camera moves.
int ChooseLevel(const std::vector<float>& errors, float allowed, int current);

// Reads the level file at `path` for the terrain's pieces and uploads the levels after each
// piece's whole index list, in the same buffer. When the file is missing or is not for these
// pieces, the pieces stay whole and one line on `err` says why. Needs the pieces' GL context.
void LoadTerrainLevels(TerrainChunks& terrain, const std::string& path, std::ostream& err);
