#include "moon_texture.h"

#include <cmath>
#include <vector>

#include "image.h"
#include "noise.h"
#include "texture_shading.h"

namespace {

constexpr int kMoonSize = 512;
constexpr float kDiscRadiusPixels = 248.0f;
constexpr int kCraterCount = 140;

struct Crater {
    glm::vec2 centre;  // in disc units, [-1, 1]^2
    float radius;
    float freshness;  // young craters are brighter and have rays
};

std::vector<Crater> MakeCraters() {
    std::vector<Crater> craters;
    for (int i = 0; craters.size() < static_cast<size_t>(kCraterCount); ++i) {
        const glm::vec2 centre(Hash01(i, 0, 101u) * 2.0f - 1.0f, Hash01(i, 1, 101u) * 2.0f - 1.0f);
        if (glm::length(centre) > 0.95f) continue;
        // Many small craters, few large ones.
        const float size = Hash01(i, 2, 101u);
        craters.push_back({centre, 0.01f + 0.075f * size * size * size * size, Hash01(i, 3, 101u)});
    }
    return craters;
}

float MariaMask(glm::vec2 p) {
    // Large smooth dark plains, mostly in the upper half, as on the near side.
    const float plains = Fbm(p.x * 1.6f + 3.1f, p.y * 1.6f - 1.7f, 4, 102u) + 0.25f * p.y;
    return SmoothStep(0.05f, 0.25f, plains);
}

glm::vec4 MoonPixel(glm::vec2 p, float distancePixels, const std::vector<Crater>& craters) {
    const float alpha = glm::clamp(kDiscRadiusPixels - distancePixels + 0.5f, 0.0f, 1.0f);
    if (alpha <= 0.0f) return glm::vec4(0.0f);
    const float facing = std::sqrt(std::fmax(0.0f, 1.0f - glm::dot(p, p)));
    float albedo = glm::mix(0.74f, 0.42f, MariaMask(p));
    albedo *= 0.92f + 0.08f * Fbm(p.x * 24.0f, p.y * 24.0f, 4, 103u);
    const glm::vec2 light = glm::normalize(glm::vec2(-0.6f, 0.8f));
    for (const Crater& crater : craters) {
        const glm::vec2 offset = p - crater.centre;
        const float d = glm::length(offset) / crater.radius;
        if (d < 1.0f) {
            // Bowl: darker floor, shaded on the side facing the light, bright lit rim.
            const float slope = glm::dot(offset / (glm::length(offset) + 1e-6f), light);
            albedo *= 0.92f + 0.07f * slope * d;
            albedo += 0.05f * SmoothStep(0.8f, 1.0f, d) * (0.5f + 0.5f * slope) *
                      (0.5f + crater.freshness);
        } else if (crater.freshness > 0.9f && d < 4.0f) {
            // Bright rays thrown out by a young impact.
            const float angle = std::atan2(offset.y, offset.x);
            const float ray = SmoothStep(
                0.6f, 1.0f, 0.5f + 0.5f * std::sin(angle * 9.0f + crater.centre.x * 20.0f));
            albedo += 0.06f * ray * (4.0f - d) / 3.0f;
        }
    }
    const float limb = 0.72f + 0.28f * facing;
    const glm::vec3 tint(1.0f, 0.98f, 0.94f);
    return glm::vec4(tint * glm::clamp(albedo * limb, 0.0f, 1.0f), alpha);
}

}  // namespace

bool WriteMoonTexture(const std::string& path) {
    const std::vector<Crater> craters = MakeCraters();
    Image image(kMoonSize, kMoonSize, 4);
    const float centre = static_cast<float>(kMoonSize) * 0.5f;
    for (int y = 0; y < kMoonSize; ++y) {
        for (int x = 0; x < kMoonSize; ++x) {
            const glm::vec2 offset(static_cast<float>(x) + 0.5f - centre,
                                   centre - (static_cast<float>(y) + 0.5f));
            image.Set(x, y, MoonPixel(offset / kDiscRadiusPixels, glm::length(offset), craters));
        }
    }
    return WritePng(image, path);
}
