#pragma once

#include <glm/glm.hpp>
#include <ostream>
#include <vector>

#include "gfx/gl.h"
#include "gfx/shader.h"

// The sky's colours that are the same all over a frame (the colour overhead, which lights every
// surface from above, and the horizon's part of the haze's colour), worked out once a frame on the
// GPU by the shared sky colour's own code and read by the programs that use them from the uniform
// block "FrameSky" (shaders/common/frame_sky.glsl), instead of once for every vertex. Its GL
// objects live as long as the context.
class FrameSkyLight {
  public:
    static constexpr GLuint kBlockBinding = 0;

    // Compile problems are reported on `err`; throws ShaderFileError when the program's files
    // cannot be read.
    explicit FrameSkyLight(std::ostream& err);

    // Points the "FrameSky" block of each program that has one at the colours.
    void Connect(const std::vector<Shader*>& programs) const;
    // Works the colours out for the sun at `sunPos`; nothing is rasterised.
    void Update(const glm::vec3& sunPos);

  private:
    Shader program;
    GLuint buffer = 0;
    GLuint pointArray = 0;  // the vertex array of the one point drawn: it has no attributes
};
