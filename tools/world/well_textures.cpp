#include "well_textures.h"

#include <cmath>

#include "image.h"
#include "noise.h"
#include "texture_shading.h"

namespace {

constexpr int kWellTextureSize = 256;

// Four weathered stones in a 2 x 2 atlas; each block of the wall shows one whole stone, with
// darker rounded edges where the mortar joints are.
glm::vec4 StoneAtlas(float u, float v) {
    const int cellX = u < 0.5f ? 0 : 1;
    const int cellY = v < 0.5f ? 0 : 1;
    const float lu = u * 2.0f - static_cast<float>(cellX);
    const float lv = v * 2.0f - static_cast<float>(cellY);
    const uint32_t seed = 40u + static_cast<uint32_t>(cellX + 2 * cellY);
    const glm::vec3 tints[4] = {
        {0.55f, 0.54f, 0.51f}, {0.6f, 0.56f, 0.5f}, {0.5f, 0.51f, 0.5f}, {0.58f, 0.55f, 0.52f}};
    const glm::vec3 base = tints[cellX + 2 * cellY];
    const float grain = Fbm(u * 40.0f, v * 40.0f, 4, seed);
    const float blotch = Fbm(u * 6.0f, v * 6.0f, 3, seed + 9u);
    const float edge = std::fmin(std::fmin(lu, 1.0f - lu), std::fmin(lv, 1.0f - lv));
    const float joint = SmoothStep(0.0f, 0.08f, edge + 0.02f * Fbm(u * 30.0f, v * 30.0f, 2, seed));
    const float moss = SmoothStep(0.35f, 0.0f, lv) * SmoothStep(0.1f, 0.5f, blotch + 0.3f);
    glm::vec3 colour = base * (0.85f + 0.15f * grain + 0.12f * blotch);
    colour = glm::mix(colour, glm::vec3(0.3f, 0.38f, 0.2f), 0.6f * moss);
    colour *= 0.45f + 0.55f * joint;
    return Opaque(colour);
}

// Weathered wood: long grain running along u, with a few darker knots.
glm::vec4 Wood(float u, float v) {
    const float grainCoordinate = v * 22.0f + 1.5f * Fbm(u * 3.0f, v * 3.0f, 3, 51u);
    const float rings = 0.5f + 0.5f * std::sin(grainCoordinate * 6.2831853f);
    const float fibres = Fbm(u * 6.0f, v * 90.0f, 3, 52u);
    const float knot = SmoothStep(0.75f, 0.95f, Fbm(u * 5.0f, v * 5.0f, 2, 53u) * 0.5f + 0.5f);
    glm::vec3 colour =
        glm::mix(glm::vec3(0.42f, 0.29f, 0.17f), glm::vec3(0.55f, 0.4f, 0.25f), rings);
    colour *= 0.88f + 0.12f * fibres;
    colour = glm::mix(colour, glm::vec3(0.22f, 0.14f, 0.08f), knot);
    return Opaque(colour);
}

// Overlapping wooden shingles in rows parallel to the ridge (u), rows stacked down the slope (v).
glm::vec4 Roof(float u, float v) {
    const float rows = 8.0f;
    const float rowCoordinate = v * rows;
    const int row = static_cast<int>(std::floor(rowCoordinate));
    const float inRow = rowCoordinate - static_cast<float>(row);
    const float columnCoordinate = u * 10.0f + (row % 2) * 0.5f;
    const int column = static_cast<int>(std::floor(columnCoordinate));
    const float inColumn = columnCoordinate - static_cast<float>(column);
    const float shade = Hash01(column, row, 61u);
    // Each shingle's lower edge casts a dark line on the row below; side gaps are thin.
    const float lowerShadow = SmoothStep(0.0f, 0.18f, inRow);
    const float sideGap = SmoothStep(0.0f, 0.05f, std::fmin(inColumn, 1.0f - inColumn));
    const float fibres = Fbm(u * 8.0f, v * 120.0f, 3, 62u);
    glm::vec3 colour = glm::mix(glm::vec3(0.36f, 0.2f, 0.14f), glm::vec3(0.5f, 0.3f, 0.2f), shade);
    colour *= (0.9f + 0.1f * fibres) * (0.45f + 0.55f * lowerShadow) * (0.6f + 0.4f * sideGap);
    return Opaque(colour);
}

// Dark, still water seen down a shaft, with faint ripples.
glm::vec4 Water(float u, float v) {
    const float ripple = Fbm(u * 12.0f, v * 12.0f, 3, 71u);
    return Opaque(glm::vec3(0.05f, 0.12f, 0.14f) + glm::vec3(0.03f, 0.05f, 0.06f) * ripple);
}

template <typename ShadeFunction>
bool WriteTexture(const std::string& path, ShadeFunction shade) {
    Image image(kWellTextureSize, kWellTextureSize, 3);
    FillByTexCoord(image, shade);
    return WritePng(image, path);
}

}  // namespace

bool WriteWellTextures(const std::string& directory) {
    return WriteTexture(directory + "/well_stone.png", StoneAtlas) &&
           WriteTexture(directory + "/well_wood.png", Wood) &&
           WriteTexture(directory + "/well_roof.png", Roof) &&
           WriteTexture(directory + "/well_water.png", Water);
}
