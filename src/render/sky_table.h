#pragma once

#include "gfx/gl.h"

// What the sky's colour owes to the view's height alone, for the current sun: drawn once per
// frame by the sky program into two rows of kColumns half-float texels (the scattered sunlight,
// then the night sky's light) over the square root of the height, and looked up per pixel by
// the sky and the water, which add the part that depends on the angle to the sun.
struct SkyTable {
    static constexpr int kColumns = 256;
    static constexpr int kTextureUnit = 6;  // beside the shadow map's unit 5
    GLuint framebuffer = 0;
    GLuint texture = 0;
};

// Creates the texture (linear filtering, clamped), binds it on its unit for good, and creates
// its framebuffer; then binds the default framebuffer.
SkyTable CreateSkyTable();
