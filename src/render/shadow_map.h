#pragma once

#include <glm/glm.hpp>
#include <vector>

#include "gfx/gl.h"
#include "render/view_volume.h"

// The sun's depth map: a 2048x2048 depth texture behind its own framebuffer.
struct ShadowTarget {
    static constexpr int kSize = 2048;
    GLuint shadowFBO = 0;
    GLuint shadowMap = 0;
};

// Creates the depth texture (sampled as a plain depth in [0, 1]; outside the map it reads the far
// depth 1, so nothing there is shadowed) and its framebuffer, clears the map to the far depth so
// that it shadows nothing until the sun first draws into it, then binds the default framebuffer.
ShadowTarget CreateShadowTarget();

// The box the map covers: a square of kShadowBoxHalfSide either side of the origin, from
// kShadowNear to kShadowFar along the light's direction from 150 units out on the sun's side.
constexpr float kShadowBoxHalfSide = 50.0f;
constexpr float kShadowNear = 1.0f;
constexpr float kShadowFar = 200.0f;

// Orthographic view from the sun's side over that box.
glm::mat4 LightSpaceMatrix(const glm::vec3& sunPos);

// The sun's height (sunPos.y / 150) at which the lit shaders have faded its own light out (their
// LAST_SUNLIGHT_HEIGHT). A little below it the shadow map cannot change a pixel.
constexpr float kLastSunlightHeight = -0.04f;
bool SunlightReachesTheScene(float sunHeight);

// A rectangle of the shadow map, in texels from its lower-left corner.
struct TexelRect {
    int x = 0, y = 0, width = 0, height = 0;
    bool Empty() const { return width <= 0 || height <= 0; }
};

// The texels the lit shaders can read for surfaces inside `receivers` (boxes in world space):
// the boxes seen from the sun, widened by the lookup's reach beside a surface
// (ShadowCasterFilter::kLookupMargin) and cut to the map. Empty when there is nothing to read
// for. The rest of the map may hold anything without changing the picture.
TexelRect ShadowMapRegion(const glm::mat4& lightSpaceMatrix, const std::vector<Bounds>& receivers);
