#include "render/shadow_map.h"

#include <algorithm>
#include <cmath>
#include <glm/gtc/matrix_transform.hpp>
#include <limits>

#include "gfx/gl_dialect.h"
#include "render/scene_layout.h"

namespace {

// Allocates the bound texture at `side` and attaches it, cleared to the far depth.
void AttachClearedDepth(const ShadowTarget& target) {
    glBindTexture(GL_TEXTURE_2D, target.shadowMap);
    AllocateShadowDepth(target.side);
    glBindFramebuffer(GL_FRAMEBUFFER, target.shadowFBO);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_TEXTURE_2D, target.shadowMap, 0);
    UseNoColorBuffer();
    glDepthMask(GL_TRUE);
    SetClearDepth(1.0f);
    glClear(GL_DEPTH_BUFFER_BIT);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
}

// Where a light-space clip coordinate falls along an edge of `side` texels.
float Texel(float clip, int side) {
    return (clip * 0.5f + 0.5f) * static_cast<float>(side);
}

}  // namespace

ShadowTarget CreateShadowTarget() {
    ShadowTarget target;
    glGenFramebuffers(1, &target.shadowFBO);
    glGenTextures(1, &target.shadowMap);
    AttachClearedDepth(target);
    return target;
}

int ShadowMapSide(float renderScale) {
    if (renderScale >= 1.0f) return ShadowTarget::kSize;
    const float exponent =
        std::ceil(std::log2(static_cast<float>(ShadowTarget::kSize) * renderScale));
    return 1 << static_cast<int>(exponent);
}

void ResizeShadowTarget(ShadowTarget& target, int side) {
    if (target.side == side) return;
    target.side = side;
    AttachClearedDepth(target);
}

glm::mat4 LightSpaceMatrix(const glm::vec3& sunPos) {
    const glm::vec3 lightDir = glm::normalize(glm::vec3(0.0f) - sunPos);
    const glm::vec3 eye = glm::vec3(0.0f) - lightDir * scene_layout::kSunDistance;
    // The sun moves in the xy plane, so +z is never parallel to the view direction.
    const glm::mat4 lightView = glm::lookAt(eye, glm::vec3(0.0f), glm::vec3(0.0f, 0.0f, 1.0f));
    const glm::mat4 lightProjection =
        glm::ortho(-kShadowBoxHalfSide, kShadowBoxHalfSide, -kShadowBoxHalfSide, kShadowBoxHalfSide,
                   kShadowNear, kShadowFar);
    return lightProjection * lightView;
}

bool SunlightReachesTheScene(float sunHeight) {
    constexpr float kMargin = 0.005f;  // the shaders compute the height in their own precision
    return sunHeight > kLastSunlightHeight - kMargin;
}

TexelRect ShadowMapRegion(const glm::mat4& lightSpaceMatrix, const std::vector<Bounds>& receivers,
                          int side) {
    if (receivers.empty()) return {};
    const glm::vec3 margin(ShadowCasterFilter::kLookupMargin);
    glm::vec2 low(std::numeric_limits<float>::max()), high(std::numeric_limits<float>::lowest());
    for (const Bounds& box : receivers) {
        const Bounds widened{box.min - margin, box.max + margin};
        const Bounds seen = Transformed(widened, lightSpaceMatrix);  // orthographic: w stays 1
        low = glm::min(low, glm::vec2(seen.min));
        high = glm::max(high, glm::vec2(seen.max));
    }
    const auto within = [side](float t) {
        return static_cast<int>(std::clamp(t, 0.0f, static_cast<float>(side)));
    };
    const int x0 = within(std::floor(Texel(low.x, side)));
    const int x1 = within(std::ceil(Texel(high.x, side)));
    const int y0 = within(std::floor(Texel(low.y, side)));
    const int y1 = within(std::ceil(Texel(high.y, side)));
    return {x0, y0, x1 - x0, y1 - y0};
}

bool MayDrawInto(const glm::mat4& lightSpaceMatrix, const Bounds& box, const TexelRect& rect,
                 int side) {
    const Bounds seen = Transformed(box, lightSpaceMatrix);  // orthographic: w stays 1
    return Texel(seen.min.x, side) - 1.0f < static_cast<float>(rect.x + rect.width) &&
           Texel(seen.max.x, side) + 1.0f > static_cast<float>(rect.x) &&
           Texel(seen.min.y, side) - 1.0f < static_cast<float>(rect.y + rect.height) &&
           Texel(seen.max.y, side) + 1.0f > static_cast<float>(rect.y);
}
