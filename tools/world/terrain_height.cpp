#include "terrain_height.h"

#include <algorithm>
#include <cmath>
#include <glm/glm.hpp>

#include "angles.h"
#include "noise.h"
#include "render/scene_layout.h"
#include "smooth_step.h"

namespace {

struct Island {
    glm::vec2 centre;
    glm::vec2 radii;     // half-axes of the shoreline ellipse, before the coast is roughened
    float angleDegrees;  // turn of the ellipse
    float peak;          // summit height above the water
    float rockiness;     // 0 smooth grassy hills .. 1 craggy ridges
    float shelfSlope;    // how fast the sea floor drops off the shore (units per unit)
    uint32_t seed;
};

// Shot by shot: the highland (lobes 0, 1) and the north ridge (2, 3) rise behind the well and the
// low water-level shots; the south island (4, 5) and the east island (6, 7) are seen from the high
// flight; the islet (8, 9) carries the well, its higher end to the west where the camera watches
// from; the sand bar (10, 11) lies under the firefly's flight east; the rest are small islands
// that give the far views depth. Lobes of one island overlap and merge into one landmass.
const Island kIslands[] = {
    {{-31.0f, -6.0f}, {17.0f, 13.0f}, 20.0f, 13.0f, 0.8f, 0.45f, 1u},
    {{-41.0f, 5.0f}, {10.0f, 8.0f}, -30.0f, 8.0f, 0.5f, 0.45f, 12u},
    {{-14.0f, -53.0f}, {26.0f, 11.0f}, -8.0f, 15.0f, 1.0f, 0.5f, 2u},
    {{-31.0f, -45.0f}, {10.0f, 8.0f}, 25.0f, 9.0f, 0.7f, 0.5f, 13u},
    {{11.0f, 26.0f}, {16.0f, 13.0f}, 0.0f, 9.0f, 0.3f, 0.35f, 3u},
    {{21.0f, 34.0f}, {9.0f, 7.0f}, 35.0f, 6.0f, 0.3f, 0.35f, 14u},
    {{64.0f, 14.0f}, {20.0f, 14.0f}, 30.0f, 12.0f, 0.6f, 0.4f, 4u},
    {{73.0f, 27.0f}, {9.0f, 7.0f}, -10.0f, 7.0f, 0.4f, 0.4f, 15u},
    {{-5.0f, -13.2f}, {5.5f, 4.2f}, 15.0f, 0.9f, 0.0f, 0.3f, 5u},
    {{-7.6f, -12.4f}, {3.2f, 2.6f}, 0.0f, 1.8f, 0.0f, 0.3f, 16u},
    {{11.5f, -1.8f}, {12.0f, 2.8f}, -6.0f, 1.2f, 0.0f, 0.2f, 6u},
    {{21.0f, -3.2f}, {4.0f, 2.5f}, 20.0f, 1.5f, 0.0f, 0.2f, 17u},
    {{-58.0f, 33.0f}, {10.0f, 7.0f}, 40.0f, 6.0f, 0.8f, 0.5f, 7u},
    {{33.0f, -64.0f}, {11.0f, 8.0f}, -20.0f, 8.0f, 0.9f, 0.5f, 8u},
    {{-74.0f, -38.0f}, {13.0f, 9.0f}, 10.0f, 9.0f, 0.7f, 0.5f, 9u},
    {{97.0f, -24.0f}, {9.0f, 7.0f}, 0.0f, 5.0f, 0.6f, 0.5f, 10u},
    {{42.0f, 52.0f}, {12.0f, 9.0f}, 60.0f, 7.0f, 0.5f, 0.45f, 11u},
};

// The well's patch of ground is exactly at the well's base height.
constexpr float kWellPadRadius = 1.3f;
constexpr float kWellPadBlend = 2.5f;

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
    // Rounded rock mounds rising out of the sand here and there.
    const float rock = std::max(0.0f, Fbm(p.x * 0.07f, p.y * 0.07f, 3, 204u) - 0.3f);
    depth += 5.0f * rock * (0.4f + 0.6f * shallow);
    return depth;
}

float IslandHeight(const Island& island, glm::vec2 p) {
    const float c = std::cos(island.angleDegrees * kDegrees);
    const float s = std::sin(island.angleDegrees * kDegrees);
    const glm::vec2 d = p - island.centre;
    const glm::vec2 local(c * d.x + s * d.y, -s * d.x + c * d.y);
    float r = glm::length(local / island.radii);
    // Bays and headlands, from a warped noise so the coast does not follow the ellipse.
    const float warp = 8.0f * Fbm(p.x * 0.03f, p.y * 0.03f, 2, island.seed * 19u);
    r *= 1.0f + 0.3f * Fbm((p.x + warp) * 0.045f, (p.y - warp) * 0.045f, 4, island.seed * 17u);
    const float meanRadius = 0.5f * (island.radii.x + island.radii.y);
    if (r >= 1.0f) {
        // Below the shore the floor falls away, easing in so the beach has no kink.
        const float out = (r - 1.0f) * meanRadius;
        const float ease = 2.0f;
        const float drop = out < ease ? out * out / (2.0f * ease) : out - ease * 0.5f;
        return scene_layout::kWaterLevel - island.shelfSlope * drop;
    }
    // Flat at the shore (beaches) and on top, steepest half-way up.
    const float profile = SmoothStep(1.0f, 0.0f, r);
    float height = island.peak * profile;
    // Ridges and the saddles between their crests: eroded ridged noise, scaled with the height
    // so shores stay smooth and the upper slopes are broken into spurs.
    const float ridges = ErodedRidges(p.x * 0.11f, p.y * 0.11f, 5, island.seed * 31u) - 0.5f;
    height += (0.35f + 0.5f * island.rockiness) * island.peak * ridges * std::pow(profile, 0.7f);
    // Gullies running down the flanks: grooves across the direction round the summit, bent by
    // noise, deepest half-way up where water would gather and cut.
    const float around = std::atan2(local.y, local.x) * 9.0f +
                         3.0f * Fbm(p.x * 0.05f, p.y * 0.05f, 2, island.seed * 41u);
    const float groove = std::pow(1.0f - std::fabs(std::sin(around)), 4.0f);
    const float flank = 4.0f * profile * (1.0f - profile);
    height -= 0.22f * island.peak * groove * flank * (0.5f + 0.5f * island.rockiness);
    // Gentle swells on the grassy parts.
    height += 0.6f * Fbm(p.x * 0.12f, p.y * 0.12f, 2, island.seed * 37u) * profile;
    return scene_layout::kWaterLevel + height;
}

// Flattens the land around the waterline into beaches and shallow shelves: heights within about a
// unit of the water are drawn towards it, keeping the order of heights.
float ShapeShore(float height) {
    const float above = height - scene_layout::kWaterLevel;
    return scene_layout::kWaterLevel + above - 0.6f * std::tanh(above);
}

}  // namespace

float TerrainHeight(float x, float z) {
    const glm::vec2 p(x, z);
    float height = SeaFloor(p);
    for (const Island& island : kIslands) height = SmoothMax(height, IslandHeight(island, p), 1.5f);
    height = ShapeShore(height);
    const float fromWell =
        glm::length(p - glm::vec2(scene_layout::kWellBase.x, scene_layout::kWellBase.z));
    const float pad = SmoothStep(kWellPadRadius + kWellPadBlend, kWellPadRadius, fromWell);
    return height + (scene_layout::kWellBase.y - height) * pad;
}
