#pragma once

#include "base/console.h"
#include "gfx/gl.h"
#include "gfx/shader.h"

// One 2D texture from an image file, tagged with the type name that picks its sampler uniform
// and the unit it is bound on. A plain value: copies share the GL texture.
class Texture {
  public:
    GLuint ID = 0;
    const char* type;  // not copied: callers pass string literals
    GLuint unit = 0;

    // Loads, flips (v = 0 is the image's bottom row), uploads and mipmaps the image, with a line
    // on the console's `out`. A file that cannot be decoded prints a line on its `err` instead and
    // leaves ID at 0.
    Texture(const char* image, const char* texType, GLuint slot, const Console& console,
            bool paletteMode = false);

    // Points the sampler uniform `uniform` of `shader` at texture unit `unit`.
    void texUnit(Shader& shader, const char* uniform, GLuint unit);
    void Bind();
    void Unbind();
    void Delete();
};
