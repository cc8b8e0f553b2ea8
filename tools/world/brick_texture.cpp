#include "brick_texture.h"

#include <cmath>

#include "image.h"
#include "noise.h"
#include "texture_shading.h"

namespace {

constexpr int kBrickSize = 256;
constexpr float kRows = 8.0f;
constexpr float kBricksPerRow = 4.0f;

// Running bond: every other row is shifted by half a brick. Rows and bricks divide the image
// evenly, so the texture tiles without a seam.
glm::vec4 Brick(float u, float v) {
    const float rowCoordinate = v * kRows;
    const int row = static_cast<int>(std::floor(rowCoordinate));
    const float columnCoordinate = u * kBricksPerRow + (row % 2 == 0 ? 0.0f : 0.5f);
    const int column = static_cast<int>(std::floor(columnCoordinate));
    const float inRow = rowCoordinate - static_cast<float>(row);
    const float inColumn = columnCoordinate - static_cast<float>(column);
    const int wrappedColumn = ((column % 4) + 4) % 4;

    // Mortar joints are about 3 pixels wide, slightly ragged.
    const float ragged = 0.01f * Fbm(u * 64.0f, v * 64.0f, 2, 91u);
    const float jointV = std::fmin(inRow, 1.0f - inRow) / kRows + ragged;
    const float jointU = std::fmin(inColumn, 1.0f - inColumn) / kBricksPerRow + ragged;
    const float brickMask = SmoothStep(0.004f, 0.008f, std::fmin(jointU, jointV));

    const float tone = Hash01(wrappedColumn, row, 92u);
    const glm::vec3 brick =
        glm::mix(glm::vec3(0.55f, 0.22f, 0.15f), glm::vec3(0.7f, 0.35f, 0.22f), tone);
    const float speckle = Fbm(u * 90.0f, v * 90.0f, 3, 93u);
    const float soot = SmoothStep(0.2f, 0.8f, Fbm(u * 4.0f, v * 4.0f, 3, 94u) * 0.5f + 0.5f);
    const glm::vec3 face = brick * (0.85f + 0.15f * speckle) * (1.0f - 0.25f * soot);
    const glm::vec3 mortar = glm::vec3(0.62f, 0.6f, 0.55f) * (0.9f + 0.1f * speckle);
    return Opaque(glm::mix(mortar, face, brickMask));
}

}  // namespace

bool WriteBrickTexture(const std::string& path) {
    Image image(kBrickSize, kBrickSize, 3);
    FillByTexCoord(image, Brick);
    return WritePng(image, path);
}
