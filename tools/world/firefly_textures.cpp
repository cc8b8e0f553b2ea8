#include "firefly_textures.h"

#include <cmath>

#include "firefly_atlas.h"
#include "image.h"
#include "noise.h"
#include "texture_shading.h"

namespace {

using firefly_atlas::Cell;

constexpr int kFireflyTextureSize = 256;

// Dark chitin with a faint sheen; the cells' local coordinates follow the parts' own (u around
// the body axis, v along it), so bands and spots land where the body has them.
glm::vec3 Diffuse(Cell cell, glm::vec2 p, float u, float v) {
    const float grain = Fbm(u * 60.0f, v * 60.0f, 3, 81u);
    const glm::vec3 chitin = glm::vec3(0.09f, 0.075f, 0.06f) * (0.9f + 0.2f * grain);
    switch (cell) {
        case firefly_atlas::kChitin:
            return chitin;
        case firefly_atlas::kPronotum: {
            // Orange-pink shield with the dark saddle spot on its top (u = 0.25 faces +Z).
            const float spot = SmoothStep(
                0.16f, 0.09f, glm::length((p - glm::vec2(0.25f, 0.55f)) * glm::vec2(1.6f, 1.0f)));
            const glm::vec3 shield = glm::vec3(0.85f, 0.45f, 0.3f) * (0.92f + 0.1f * grain);
            return glm::mix(shield, chitin, spot);
        }
        case firefly_atlas::kElytron: {
            // Dark wing case with a pale yellow rim.
            const float rim = SmoothStep(0.12f, 0.03f, std::fmin(p.y, 1.0f - p.y)) +
                              SmoothStep(0.9f, 1.0f, std::fabs(2.0f * p.x - 1.0f));
            return glm::mix(chitin * 1.4f, glm::vec3(0.75f, 0.65f, 0.35f),
                            glm::clamp(rim, 0.0f, 1.0f));
        }
        case firefly_atlas::kAbdomen: {
            const float band =
                SmoothStep(0.75f, 0.95f, 0.5f + 0.5f * std::cos(p.y * 6.2831853f * 5.0f));
            return glm::mix(glm::vec3(0.16f, 0.12f, 0.08f), glm::vec3(0.45f, 0.38f, 0.2f),
                            band * 0.6f);
        }
        case firefly_atlas::kLantern:
            return glm::vec3(0.86f, 0.9f, 0.55f);
        case firefly_atlas::kWing:
        default: {
            // Smoky membrane with a few dark veins along its length.
            const float veins = SmoothStep(
                0.93f, 0.99f, 0.5f + 0.5f * std::cos((p.x * 7.0f + 0.3f * p.y) * 6.2831853f));
            return glm::mix(glm::vec3(0.55f, 0.55f, 0.5f), glm::vec3(0.2f, 0.18f, 0.15f), veins);
        }
    }
}

// Only the lantern glows: a warm yellow-green, brightest in the middle of each segment.
glm::vec3 Emissive(Cell cell, glm::vec2 p) {
    if (cell != firefly_atlas::kLantern) return glm::vec3(0.0f);
    const float segment = 0.85f + 0.15f * std::cos(p.y * 6.2831853f * 3.0f);
    return glm::vec3(0.78f, 1.0f, 0.32f) * segment;
}

}  // namespace

bool WriteFireflyTextures(const std::string& directory) {
    Image diffuse(kFireflyTextureSize, kFireflyTextureSize, 3);
    Image emissive(kFireflyTextureSize, kFireflyTextureSize, 3);
    FillByTexCoord(diffuse, [](float u, float v) {
        glm::vec2 local;
        const Cell cell = firefly_atlas::CellAt(u, v, local);
        return Opaque(Diffuse(cell, local, u, v));
    });
    FillByTexCoord(emissive, [](float u, float v) {
        glm::vec2 local;
        const Cell cell = firefly_atlas::CellAt(u, v, local);
        return Opaque(Emissive(cell, local));
    });
    return WritePng(diffuse, directory + "/firefly_diffuse.png") &&
           WritePng(emissive, directory + "/firefly_glow.png");
}
