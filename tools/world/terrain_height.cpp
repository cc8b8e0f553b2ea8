#include "terrain_height.h"

#include <algorithm>
#include <cmath>
#include <glm/glm.hpp>

#include "noise.h"
#include "scene_layout.h"
#include "smooth_step.h"

namespace {

constexpr float kDegrees = 3.14159265358979f / 180.0f;

struct Island {
    glm::vec2 centre;
    glm::vec2 radii;     // half-axes of the shoreline ellipse, before the coast is roughened
    float angleDegrees;  // turn of the ellipse
    float peak;          // summit height above the water
    float rockiness;     // 0 smooth grassy hills .. 1 craggy ridges
    float shelfSlope;    // how fast the sea floor drops off the shore (units per unit)
    uint32_t seed;
};

// Shot by shot: the highland (0) and the north ridge (1) rise behind the well and the low
// water-level shots; the south island (2) and the east island (3) are seen from the high flight;
// the islet (4) carries the well; the sand bar (5) lies under the firefly's flight east; the
// rest are small islands that give the far views depth.
const Island kIslands[] = {
    {{-31.0f, -6.0f}, {15.0f, 12.0f}, 20.0f, 17.0f, 0.9f, 0.45f, 1u},
    {{-14.0f, -52.0f}, {25.0f, 10.0f}, -8.0f, 20.0f, 1.0f, 0.5f, 2u},
    {{11.0f, 25.0f}, {13.0f, 11.0f}, 0.0f, 11.0f, 0.35f, 0.35f, 3u},
    {{64.0f, 14.0f}, {16.0f, 12.0f}, 30.0f, 15.0f, 0.6f, 0.4f, 4u},
    {{-4.6f, -13.4f}, {5.0f, 4.0f}, 15.0f, 1.3f, 0.0f, 0.3f, 5u},
    {{11.5f, -1.8f}, {12.0f, 2.6f}, -6.0f, 1.0f, 0.0f, 0.2f, 6u},
    {{-58.0f, 33.0f}, {8.0f, 6.0f}, 40.0f, 7.0f, 0.8f, 0.5f, 7u},
    {{33.0f, -64.0f}, {9.0f, 7.0f}, -20.0f, 9.0f, 0.9f, 0.5f, 8u},
    {{-74.0f, -38.0f}, {11.0f, 8.0f}, 10.0f, 10.0f, 0.7f, 0.5f, 9u},
    {{97.0f, -24.0f}, {8.0f, 6.0f}, 0.0f, 6.0f, 0.6f, 0.5f, 10u},
    {{42.0f, 52.0f}, {10.0f, 8.0f}, 60.0f, 8.0f, 0.5f, 0.45f, 11u},
};

// The well's patch of ground is exactly at the well's base height.
constexpr float kWellPadRadius = 1.3f;
constexpr float kWellPadBlend = 1.2f;

// Polynomial smooth maximum: islands and sea floor meet without creases.
float SmoothMax(float a, float b, float k) {
    const float h = std::max(k - std::fabs(a - b), 0.0f) / k;
    return std::max(a, b) + h * h * k * 0.25f;
}

float SeaFloor(glm::vec2 p) {
    const float distance = glm::length(p - glm::vec2(0.0f, -8.0f));
    float depth = -3.2f - 7.0f * SmoothStep(30.0f, 100.0f, distance) -
                  7.0f * SmoothStep(100.0f, 190.0f, distance);
    depth += 1.1f * Fbm(p.x * 0.025f, p.y * 0.025f, 4, 201u);
    // Sand ripples, strongest in the shallow middle where the camera looks down into the water.
    const float shallow = 1.0f - SmoothStep(25.0f, 60.0f, distance);
    const float warp = 2.0f * Fbm(p.x * 0.05f, p.y * 0.05f, 2, 202u);
    depth += shallow * 0.12f * std::sin(p.x * 1.3f + p.y * 0.7f + warp);
    depth += 0.35f * Fbm(p.x * 0.15f, p.y * 0.15f, 3, 203u);
    // Rock outcrops breaking through the sand.
    const float rock = std::max(0.0f, RidgedFbm(p.x * 0.09f, p.y * 0.09f, 3, 204u) - 0.62f);
    depth += 6.0f * rock * (0.4f + 0.6f * shallow);
    return depth;
}

float IslandHeight(const Island& island, glm::vec2 p) {
    const float c = std::cos(island.angleDegrees * kDegrees);
    const float s = std::sin(island.angleDegrees * kDegrees);
    const glm::vec2 d = p - island.centre;
    const glm::vec2 local(c * d.x + s * d.y, -s * d.x + c * d.y);
    float r = glm::length(local / island.radii);
    // Bays and headlands.
    r *= 1.0f + 0.16f * Fbm(p.x * 0.06f, p.y * 0.06f, 3, island.seed * 17u);
    const float meanRadius = 0.5f * (island.radii.x + island.radii.y);
    if (r >= 1.0f) {
        // Below the shore the floor falls away, easing in so the beach has no kink.
        const float out = (r - 1.0f) * meanRadius;
        const float ease = 2.0f;
        const float drop = out < ease ? out * out / (2.0f * ease) : out - ease * 0.5f;
        return scene::kWaterLevel - island.shelfSlope * drop;
    }
    const float profile = std::pow(1.0f - r * r, 1.4f);
    float height = island.peak * profile;
    // Crags: ridged noise scaled with the height, so shores stay smooth and summits broken.
    const float crags = RidgedFbm(p.x * 0.07f, p.y * 0.07f, 4, island.seed * 31u) - 0.45f;
    height += island.rockiness * island.peak * 0.35f * crags * std::pow(profile, 0.6f);
    // Gentle swells on the grassy parts.
    height += 0.6f * Fbm(p.x * 0.12f, p.y * 0.12f, 2, island.seed * 37u) * profile;
    return scene::kWaterLevel + height;
}

// Flattens the land around the waterline into beaches and shallow shelves: heights within about a
// unit of the water are drawn towards it, keeping the order of heights.
float ShapeShore(float height) {
    const float above = height - scene::kWaterLevel;
    return scene::kWaterLevel + above - 0.6f * std::tanh(above);
}

}  // namespace

float TerrainHeight(float x, float z) {
    const glm::vec2 p(x, z);
    float height = SeaFloor(p);
    for (const Island& island : kIslands) height = SmoothMax(height, IslandHeight(island, p), 1.5f);
    height = ShapeShore(height);
    const float fromWell = glm::length(p - glm::vec2(scene::kWellBase.x, scene::kWellBase.z));
    const float pad = SmoothStep(kWellPadRadius + kWellPadBlend, kWellPadRadius, fromWell);
    return height + (scene::kWellBase.y - height) * pad;
}
