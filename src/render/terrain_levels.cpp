#include "render/terrain_levels.h"

#include <cmath>
#include <cstring>

#include "base/content_file.h"

namespace {

// The file: the magic, the fingerprint, the piece count, then per piece its vertex count and
// level count and per level its error, index count and indices; every number little-endian,
// 32 bits but the 64-bit fingerprint.
constexpr char kMagic[8] = {'L', 'V', 'L', 'E', 'V', 'E', 'L', '1'};
constexpr std::uint64_t kLargestFile = 64u << 20;

// Above this share of its error a coarser level is not yet taken (see ChooseLevel).
constexpr float kCoarserWithin = 0.75f;

void Put(std::string& bytes, std::uint64_t value, int byteCount) {
    for (int i = 0; i < byteCount; ++i)
        bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xff));
}

std::uint32_t Bits(float value) {
    std::uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

class Reader {
  public:
    Reader(const std::string& bytes, size_t from) : bytes(bytes), at(from) {}
    bool Take(std::uint64_t& value, int byteCount) {
        if (bytes.size() - at < static_cast<size_t>(byteCount)) return false;
        value = 0;
        for (int i = 0; i < byteCount; ++i) {
            value |= static_cast<std::uint64_t>(static_cast<unsigned char>(bytes[at++])) << (8 * i);
        }
        return true;
    }
    bool Take32(std::uint32_t& value) {
        std::uint64_t wide = 0;
        const bool taken = Take(wide, 4);
        value = static_cast<std::uint32_t>(wide);
        return taken;
    }
    size_t Left() const { return bytes.size() - at; }

  private:
    const std::string& bytes;
    size_t at;
};

struct Fnv {
    std::uint64_t hash = 1469598103934665603u;
    void Add(std::uint32_t word) { hash = (hash ^ word) * 1099511628211u; }
};

}  // namespace

std::uint64_t PiecesFingerprint(const std::vector<ChunkGeometry>& pieces) {
    Fnv fnv;
    fnv.Add(static_cast<std::uint32_t>(pieces.size()));
    for (const ChunkGeometry& piece : pieces) {
        fnv.Add(static_cast<std::uint32_t>(piece.vertices.size()));
        for (const Vertex& vertex : piece.vertices) {
            for (int k = 0; k < 3; ++k) fnv.Add(Bits(vertex.position[k]));
        }
        fnv.Add(static_cast<std::uint32_t>(piece.indices.size()));
        for (GLuint index : piece.indices) fnv.Add(index);
    }
    return fnv.hash;
}

std::string EncodeTerrainLevels(const TerrainLevels& levels) {
    std::string bytes(kMagic, sizeof kMagic);
    Put(bytes, levels.fingerprint, 8);
    Put(bytes, levels.pieces.size(), 4);
    for (size_t piece = 0; piece < levels.pieces.size(); ++piece) {
        Put(bytes, levels.vertexCounts[piece], 4);
        Put(bytes, levels.pieces[piece].size(), 4);
        for (const PieceLevel& level : levels.pieces[piece]) {
            Put(bytes, Bits(level.error), 4);
            Put(bytes, level.indices.size(), 4);
            for (GLuint index : level.indices) Put(bytes, index, 4);
        }
    }
    return bytes;
}

DecodedLevels DecodeTerrainLevels(const std::string& bytes, std::uint64_t fingerprint,
                                  const std::vector<std::uint32_t>& vertexCounts) {
    DecodedLevels decoded;
    TerrainLevels& levels = decoded.levels;
    const auto fault = [&](const char* problem) {
        decoded.levels = {};
        decoded.problem = problem;
        return decoded;
    };
    if (bytes.size() < sizeof kMagic || std::memcmp(bytes.data(), kMagic, sizeof kMagic) != 0) {
        return fault("not a level file");
    }
    Reader in(bytes, sizeof kMagic);
    std::uint32_t pieceCount = 0;
    if (!in.Take(levels.fingerprint, 8) || !in.Take32(pieceCount)) return fault("cut short");
    if (levels.fingerprint != fingerprint || pieceCount != vertexCounts.size()) {
        return fault("made for another model");
    }
    for (std::uint32_t piece = 0; piece < pieceCount; ++piece) {
        std::uint32_t vertexCount = 0, levelCount = 0;
        if (!in.Take32(vertexCount) || !in.Take32(levelCount)) return fault("cut short");
        if (vertexCount != vertexCounts[piece]) return fault("made for another model");
        levels.vertexCounts.push_back(vertexCount);
        std::vector<PieceLevel>& pieceLevels = levels.pieces.emplace_back();
        float finer = 0.0f;
        for (std::uint32_t l = 0; l < levelCount; ++l) {
            std::uint32_t errorBits = 0, indexCount = 0;
            if (!in.Take32(errorBits) || !in.Take32(indexCount)) return fault("cut short");
            PieceLevel level;
            std::memcpy(&level.error, &errorBits, sizeof level.error);
            if (!std::isfinite(level.error) || level.error < finer) {
                return fault("a level's error out of order");
            }
            finer = level.error;
            if (indexCount % 3 != 0) return fault("a level of broken triangles");
            if (in.Left() / 4 < indexCount) return fault("cut short");
            level.indices.resize(indexCount);
            for (GLuint& index : level.indices) {
                in.Take32(index);
                if (index >= vertexCount) return fault("an index beyond its piece");
            }
            pieceLevels.push_back(std::move(level));
        }
    }
    if (in.Left() != 0) return fault("longer than its levels");
    return decoded;
}

int ChooseLevel(const std::vector<float>& errors, float allowed, int current) {
    int chosen = 0;
    for (size_t level = 1; level < errors.size(); ++level) {
        const bool coarser = static_cast<int>(level) > current;
        if (errors[level] > (coarser ? allowed * kCoarserWithin : allowed)) break;
        chosen = static_cast<int>(level);
    }
    return chosen;
}

void LoadTerrainLevels(TerrainChunks& terrain, const std::string& path, std::ostream& err) {
    terrain.levelsRead = true;
    const ContentFile file = ReadContentFile(path, kLargestFile);
    DecodedLevels decoded;
    decoded.problem = file.error;
    if (file.error.empty()) {
        decoded = DecodeTerrainLevels(file.bytes, terrain.fingerprint, terrain.vertexCounts);
    }
    if (!decoded.problem.empty()) {
        err << "The terrain is drawn whole at every distance: " << path << ": " << decoded.problem
            << std::endl;
        return;
    }
    for (size_t piece = 0; piece < terrain.meshes.size(); ++piece) {
        Mesh& mesh = terrain.meshes[piece];
        std::vector<GLuint> indices = mesh.indices;
        std::vector<IndexRange>& runs = terrain.levelRuns.emplace_back();
        std::vector<float>& errors = terrain.levelErrors.emplace_back();
        runs.push_back({0, static_cast<GLsizei>(indices.size())});
        errors.push_back(0.0f);
        for (const PieceLevel& level : decoded.levels.pieces[piece]) {
            runs.push_back(
                {static_cast<GLuint>(indices.size()), static_cast<GLsizei>(level.indices.size())});
            errors.push_back(level.error * terrain.modelScale);
            indices.insert(indices.end(), level.indices.begin(), level.indices.end());
        }
        // The vertex array holds the piece's index buffer: the whole list stays at its start.
        mesh.vao.Bind();
        glBufferData(GL_ELEMENT_ARRAY_BUFFER,
                     static_cast<GLsizeiptr>(indices.size() * sizeof(GLuint)), indices.data(),
                     GL_STATIC_DRAW);
        mesh.vao.Unbind();
    }
}
