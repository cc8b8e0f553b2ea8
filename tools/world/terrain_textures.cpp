#include "terrain_textures.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "image.h"
#include "noise.h"
#include "render/scene_layout.h"
#include "smooth_step.h"

namespace {

constexpr int kColourMapSize = 1024;  // 0.29 units a texel: the detail tile carries what is finer
constexpr int kDetailSize = 256;
constexpr float kSquare = 2.0f * scene_layout::kSeaHalfExtent;

const glm::vec3 kSeaFloor(0.52f, 0.48f, 0.36f);
const glm::vec3 kSeaWeed(0.22f, 0.30f, 0.18f);  // darker patches on the sea floor
const glm::vec3 kWetSand(0.50f, 0.42f, 0.30f);
const glm::vec3 kDrySand(0.78f, 0.69f, 0.49f);
const glm::vec3 kGrass(0.19f, 0.34f, 0.10f);
const glm::vec3 kGrassDry(0.42f, 0.44f, 0.19f);
const glm::vec3 kRock(0.45f, 0.41f, 0.36f);
const glm::vec3 kRockDark(0.27f, 0.25f, 0.24f);
constexpr float kWetBand = 0.55f;   // height the waves wet the sand to, above the water
constexpr float kGrassLine = 1.7f;  // height where the beach gives way to grass
constexpr float kSteep = 0.62f;     // normal.y below which the ground turns to rock (about 52°)
constexpr float kRockLine = 11.0f;  // height above which bare rock takes over
constexpr uint32_t kMaterialSeed = 71u, kGrainSeed = 72u, kDampSeed = 73u, kBendSeed = 74u;

// Ripples in the sand: crests about a third of a unit apart running across (9, 7) per tile, so
// that they repeat with it, bent by a tiling noise; and their strongest tilt of the normal.
constexpr int kRipplesAlongX = 9, kRipplesAlongZ = 7;
constexpr float kRippleTilt = 0.22f;
constexpr float kGrain = 0.12f;  // how far the fine grain moves the colour, either way

// Two octaves of value noise: the variation every material line and colour follows.
float MaterialNoise(float x, float z) {
    return 0.65f * ValueNoise(x * 0.35f, z * 0.35f, kMaterialSeed) +
           0.35f * ValueNoise(x * 1.7f, z * 1.7f, kMaterialSeed + 1u);
}

// The ground's colour, and in alpha its sandiness, at world position (x, z), where the terrain
// lies at world height `height` with unit normal `normal`: sea floor, wet sand at the water
// line, dry sand, grass on gentle slopes, rock on steep faces and high up, every line wobbled by
// the noise.
glm::vec4 GroundColour(float x, float z, float height, const glm::vec3& normal) {
    const float n = MaterialNoise(x, z);
    const float h = height + (n - 0.5f) * 0.5f;
    const glm::vec3 floorColour = glm::mix(kSeaFloor, kSeaWeed, SmoothStep(0.55f, 0.75f, n));
    // The waves wet the sand up to an uneven line; puddles and damp patches lie above it.
    const float damp = ValueNoise(x * 0.7f, z * 0.7f, kDampSeed);
    const float tide =
        scene_layout::kWaterLevel + kWetBand + (n - 0.5f) * 0.2f + (damp - 0.5f) * 0.6f;
    const float dry = SmoothStep(tide - 0.1f, tide + 0.1f, height);
    const glm::vec3 sand = glm::mix(kWetSand, kDrySand, dry);
    const float onLand =
        SmoothStep(scene_layout::kWaterLevel - 0.6f, scene_layout::kWaterLevel - 0.1f, h);
    glm::vec3 ground = glm::mix(floorColour, sand, onLand);
    // Grass thins and dries with height and slope; higher up, rock breaks through on ever
    // gentler slopes.
    const float exposure = SmoothStep(4.0f, kRockLine, h) + 2.0f * (1.0f - normal.y);
    const glm::vec3 grass =
        glm::mix(kGrass, kGrassDry, std::clamp(n + 0.6f * exposure - 0.2f, 0.0f, 1.0f));
    const float grassy = SmoothStep(kGrassLine - 0.3f, kGrassLine + 0.3f, h);
    ground = glm::mix(ground, grass, grassy);
    const float steepness = normal.y + (n - 0.5f) * 0.1f - 0.12f * SmoothStep(4.0f, kRockLine, h);
    float rockiness = std::max(1.0f - SmoothStep(kSteep - 0.08f, kSteep + 0.06f, steepness),
                               SmoothStep(kRockLine - 2.0f, kRockLine + 2.0f, h + n * 3.0f));
    // No rock on the sea bed.
    rockiness *=
        SmoothStep(scene_layout::kWaterLevel - 1.0f, scene_layout::kWaterLevel + 0.5f, height);
    const float sandiness = onLand * (1.0f - grassy) * (1.0f - rockiness) * (0.4f + 0.6f * dry);
    return {glm::mix(ground, glm::mix(kRockDark, kRock, n), rockiness), sandiness};
}

constexpr float kTexel = kSquare / static_cast<float>(kColourMapSize);

// The world position of the centre of texel column (or row) i.
float TexelCentre(int i) {
    return -scene_layout::kSeaHalfExtent + (static_cast<float>(i) + 0.5f) * kTexel;
}

// The terrain's world height and smooth normal at every texel centre, as the player draws it:
// each texel takes them from the triangle of the mesh that holds its centre, interpolated as the
// rasteriser interpolates them across it.
struct Surface {
    std::vector<float> heights = std::vector<float>(kColourMapSize * kColourMapSize, 0.0f);
    std::vector<glm::vec3> normals =
        std::vector<glm::vec3>(kColourMapSize * kColourMapSize, glm::vec3(0.0f, 1.0f, 0.0f));
};

Surface SurfaceOf(const ModelMesh& mesh) {
    Surface surface;
    const auto texelRange = [](float low, float high) {
        const int first = std::max(
            0, static_cast<int>(std::ceil((low + scene_layout::kSeaHalfExtent) / kTexel - 0.5f)));
        const int last = std::min(
            kColourMapSize - 1,
            static_cast<int>(std::floor((high + scene_layout::kSeaHalfExtent) / kTexel - 0.5f)));
        return std::pair<int, int>(first, last);
    };
    for (const ModelMesh::Triangle& triangle : mesh.triangles) {
        const glm::vec3& a = mesh.positions[triangle.corners[0]];
        const glm::vec3& b = mesh.positions[triangle.corners[1]];
        const glm::vec3& c = mesh.positions[triangle.corners[2]];
        const float area = (b.x - a.x) * (c.z - a.z) - (c.x - a.x) * (b.z - a.z);
        if (std::fabs(area) < 1e-12f) continue;
        const auto [firstColumn, lastColumn] =
            texelRange(std::min({a.x, b.x, c.x}), std::max({a.x, b.x, c.x}));
        const auto [firstRow, lastRow] =
            texelRange(std::min({a.z, b.z, c.z}), std::max({a.z, b.z, c.z}));
        for (int row = firstRow; row <= lastRow; ++row) {
            const float z = TexelCentre(row);
            for (int column = firstColumn; column <= lastColumn; ++column) {
                const float x = TexelCentre(column);
                const float wb = ((x - a.x) * (c.z - a.z) - (c.x - a.x) * (z - a.z)) / area;
                const float wc = ((b.x - a.x) * (z - a.z) - (x - a.x) * (b.z - a.z)) / area;
                const float wa = 1.0f - wb - wc;
                constexpr float kEdge = -1e-5f;
                if (wa < kEdge || wb < kEdge || wc < kEdge) continue;
                const size_t texel = static_cast<size_t>(row) * kColourMapSize + column;
                surface.heights[texel] =
                    wa * a.y + wb * b.y + wc * c.y - scene_layout::kTerrainDrop;
                surface.normals[texel] = glm::normalize(wa * mesh.normals[triangle.corners[0]] +
                                                        wb * mesh.normals[triangle.corners[1]] +
                                                        wc * mesh.normals[triangle.corners[2]]);
            }
        }
    }
    return surface;
}

Image ColourMap(const ModelMesh& terrain) {
    const Surface surface = SurfaceOf(terrain);
    Image image(kColourMapSize, kColourMapSize, 4);
    for (int y = 0; y < kColourMapSize; ++y) {
        const int row = kColourMapSize - 1 - y;  // row 0 of the file is the far end of v
        for (int column = 0; column < kColourMapSize; ++column) {
            const size_t texel = static_cast<size_t>(row) * kColourMapSize + column;
            image.Set(column, y,
                      GroundColour(TexelCentre(column), TexelCentre(row), surface.heights[texel],
                                   surface.normals[texel]));
        }
    }
    return image;
}

Image DetailTile() {
    Image image(kDetailSize, kDetailSize, 3);
    constexpr float kTwoPi = 6.2831853f;
    FillByTexCoord(image, [](float u, float v) {
        const float bend = ValueNoise(u * 4.0f, v * 4.0f, kBendSeed, 4) +
                           0.5f * ValueNoise(u * 8.0f, v * 8.0f, kBendSeed + 1u, 8);
        const float phase = kTwoPi * (u * kRipplesAlongX + v * kRipplesAlongZ) + 6.0f * bend;
        const glm::vec2 across = glm::normalize(glm::vec2(kRipplesAlongX, kRipplesAlongZ));
        const glm::vec2 tilt = across * (std::cos(phase) * kRippleTilt);
        const float grain = 0.5f * ValueNoise(u * 32.0f, v * 32.0f, kGrainSeed, 32) +
                            0.5f * ValueNoise(u * 96.0f, v * 96.0f, kGrainSeed + 1u, 96);
        return glm::vec4(0.5f + tilt, 0.5f + (grain - 0.5f) * kGrain, 1.0f);
    });
    return image;
}

}  // namespace

glm::vec2 IslandsTexCoord(float x, float z) {
    return {(x + scene_layout::kSeaHalfExtent) / kSquare,
            (z + scene_layout::kSeaHalfExtent) / kSquare};
}

bool WriteTerrainTextures(const ModelMesh& terrain, const std::string& directory) {
    return WritePng(ColourMap(terrain), directory + "/" + kIslandsColourMap) &&
           WritePng(DetailTile(), directory + "/" + kIslandsDetailMap);
}
