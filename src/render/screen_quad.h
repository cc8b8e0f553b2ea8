#pragma once

#include "gfx/gl.h"

// Two triangles covering clip space, (x, y, u, v) per vertex, for full-screen passes.
struct ScreenQuad {
    GLuint screenQuadVAO = 0;
    GLuint screenQuadVBO = 0;
};

ScreenQuad CreateScreenQuad();
