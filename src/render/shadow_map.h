#pragma once

#include <glm/glm.hpp>
#include <vector>

#include "gfx/gl.h"
#include "render/view_volume.h"

// The sun's depth map: a square depth texture behind its own framebuffer, 2048x2048 while the
// picture is drawn at full size.
struct ShadowTarget {
    static constexpr int kSize = 2048;
    GLuint shadowFBO = 0;
    GLuint shadowMap = 0;
    int side = kSize;  // texels along each edge
};

// Creates the depth texture (sampled as a plain depth in [0, 1]; outside the map it reads the far
// depth 1, so nothing there is shadowed) and its framebuffer, clears the map to the far depth so
// that it shadows nothing until the sun first draws into it, then binds the default framebuffer.
ShadowTarget CreateShadowTarget();

// The map's side for a picture drawn at `renderScale` of the window (at least 0.35): kSize at
// full size, below it the power of two at or above kSize x renderScale, so that a texel covers
// no more of the picture than at full size. (Coarser, the bias that keeps the lit surfaces from
// shadowing themselves grows with the texel and eats the slopes' own shadows.)
int ShadowMapSide(float renderScale);
// Gives the map `side` texels a side, cleared to the far depth, when it has another size; binds
// the default framebuffer.
void ResizeShadowTarget(ShadowTarget& target, int side);

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

// The texels the lit shaders can read for surfaces inside `receivers` (boxes in world space),
// in a map of `side` texels: the boxes seen from the sun, widened by the lookup's reach beside a
// surface (ShadowCasterFilter::kLookupMargin) and cut to the map. Empty when there is nothing to
// read for. The rest of the map may hold anything without changing the picture.
TexelRect ShadowMapRegion(const glm::mat4& lightSpaceMatrix, const std::vector<Bounds>& receivers,
                          int side);
// Whether a caster inside `box` (world space) may write a texel of `rect` in a map of `side`
// texels: its footprint seen from the sun, a texel wider on every side, overlaps the rectangle.
bool MayDrawInto(const glm::mat4& lightSpaceMatrix, const Bounds& box, const TexelRect& rect,
                 int side);
