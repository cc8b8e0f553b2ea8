#pragma once

#include <glm/glm.hpp>
#include <vector>

#include "gfx/gl.h"

// The C runtime generator the star field was laid out with, reproduced here so that every
// platform draws the same stars: 15-bit results of a 32-bit linear congruential sequence.
class StarRandom {
  public:
    explicit StarRandom(unsigned seed) : state(seed) {}
    int Next();

  private:
    unsigned state;
};

// The stars lie on a sphere of this radius around the origin.
constexpr float kStarRadius = 400.0f;

// Star positions on the upper half of that sphere: 485 of 1000 seeded attempts.
std::vector<glm::vec3> StarPositions();

// The star points on the GPU: only the position attribute, in 44-byte vertex records.
struct StarField {
    GLuint starVAO = 0;
    GLuint starVBO = 0;
    GLsizei starCount = 0;
};

StarField CreateStarField();

// Whether the star line is due after the stars have been drawn in `starFrames` frames: on every
// 60th such frame, while the night is deeper than 0.1.
bool StarLineDue(int starFrames, float nightFactor);
