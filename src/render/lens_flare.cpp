#include "render/lens_flare.h"

#include <algorithm>
#include <cmath>

#include "sequence/smooth01.h"

const std::array<FlareElement, 10>& FlareElements() {
    static const std::array<FlareElement, 10> elements{{
        {0.05f, {1.0f, 0.9f, 0.7f}, 0.35f, 5.0f, 1},
        {0.15f, {1.0f, 0.8f, 0.5f}, 0.28f, 4.0f, 0},
        {0.3f, {1.0f, 0.95f, 0.8f}, 0.15f, 3.5f, 1},
        {0.5f, {1.0f, 0.85f, 0.6f}, 0.1f, 2.5f, 0},
        {0.75f, {1.0f, 0.9f, 0.7f}, 0.18f, 2.2f, 2},
        {1.0f, {1.0f, 0.95f, 0.8f}, 0.22f, 3.0f, 1},
        {1.2f, {1.0f, 0.8f, 0.5f}, 0.18f, 2.0f, 0},
        {1.4f, {1.0f, 0.85f, 0.6f}, 0.14f, 2.5f, 1},
        {1.6f, {1.0f, 0.9f, 0.75f}, 0.18f, 1.8f, 2},
        {1.8f, {1.0f, 0.95f, 0.8f}, 0.22f, 3.0f, 0},
    }};
    return elements;
}

std::optional<SunOnScreen> ProjectSun(const glm::mat4& cameraMatrix, const glm::vec3& sunPos,
                                      int width, int height) {
    const glm::vec4 clip = cameraMatrix * glm::vec4(sunPos, 1.0f);
    if (clip.w <= 0.0f) return std::nullopt;
    SunOnScreen sun;
    sun.ndc.x = clip.x / clip.w;
    if (std::abs(sun.ndc.x) >= 1.5f) return std::nullopt;
    sun.ndc.y = clip.y / clip.w;
    if (std::abs(sun.ndc.y) >= 1.5f) return std::nullopt;
    sun.depth = (clip.z / clip.w) * 0.5f + 0.5f;
    // A sun just outside the picture is tested against the nearest edge pixel: GL leaves reads
    // outside the window undefined.
    sun.readPixel =
        glm::ivec2(std::clamp(static_cast<int>((sun.ndc.x * 0.5f + 0.5f) * width), 0, width - 1),
                   std::clamp(static_cast<int>((sun.ndc.y * 0.5f + 0.5f) * height), 0, height - 1));
    return sun;
}

float FlareVisibility(const glm::vec2& ndc, float sunHeight) {
    const float dist = std::sqrt(ndc.x * ndc.x + ndc.y * ndc.y);
    const float edge = dist / 1.5f;
    const float edgeFactor = edge > 1.0f ? 0.0f : 1.0f - smooth01(edge);
    const float centre = std::min(1.0f, dist / 0.3f);
    const float centreFactor = 1.0f - 0.5f * smooth01(centre);
    if (sunHeight <= 0.0f) return 0.0f;
    const float rise = sunHeight / 0.2f;
    const float heightFactor = rise > 1.0f ? 1.0f : smooth01(rise);
    const float visibility = centreFactor * edgeFactor * heightFactor;
    return visibility <= 0.01f ? 0.0f : visibility;
}

glm::vec2 FlareScreenPosition(const glm::vec2& sunNdc, float offset) {
    return sunNdc + offset * (glm::vec2(0.0f) - sunNdc);
}
