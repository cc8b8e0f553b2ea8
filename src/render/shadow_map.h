#pragma once

#include <glm/glm.hpp>

#include "gfx/gl.h"

// The sun's depth map: a 2048x2048 depth texture behind its own framebuffer.
struct ShadowTarget {
    static constexpr int kSize = 2048;
    GLuint shadowFBO = 0;
    GLuint shadowMap = 0;
};

// Creates the depth texture (sampled as a plain depth in [0, 1]; outside the map it reads the far
// depth 1, so nothing there is shadowed) and its framebuffer, then binds the default framebuffer.
ShadowTarget CreateShadowTarget();

// Orthographic view from the sun's side, 150 units out, over a 100x100 square around the origin.
glm::mat4 LightSpaceMatrix(const glm::vec3& sunPos);

// The lit shaders fade the sun's own light out as it sinks and take none once the sun's height
// (sunPos.y / 150) is at -0.04; a little below that the shadow map cannot change a pixel.
bool SunlightReachesTheScene(float sunHeight);
