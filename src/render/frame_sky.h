#pragma once

#include <glm/glm.hpp>
#include <vector>

#include "gfx/gl.h"
#include "gfx/shader.h"

// The sky's colours that are the same all over a frame: the colour overhead, which lights every
// surface from above, and the sky's column at the horizon, which with the angle to the sun gives
// the colour the haze in front of a point fades into.
struct FrameSkyColours {
    glm::vec3 zenith;
    glm::vec3 horizonScattered;
    glm::vec3 horizonNight;
};

// Works them out for the sun at `sunPos` (scene_layout::kSunDistance from the origin) as the
// sky's colour in shaders/common/sky_colour.glsl does, in the same order of operations.
FrameSkyColours FrameSkyColoursFor(const glm::vec3& sunPos);

// The frame's sky colours, uploaded once a frame into the buffer behind the uniform block
// "FrameSky" (shaders/common/sky_colour.glsl) that every program lit by the sky reads, instead
// of being worked out once for every vertex. Its GL buffer lives as long as the context.
class FrameSkyLight {
  public:
    static constexpr GLuint kBlockBinding = 0;

    FrameSkyLight();

    // Points the "FrameSky" block of each program that has one at the colours.
    void Connect(const std::vector<Shader*>& programs) const;
    // Uploads the colours for the sun at `sunPos`.
    void Update(const glm::vec3& sunPos) const;

  private:
    GLuint buffer = 0;
};
