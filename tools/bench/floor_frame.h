#pragma once

#include "gfx/gl.h"

// The least a frame of this size can cost on this renderer: a clear and one bilinear-textured
// quad over the whole window. The film's frames are measured against it.
class FloorFrame {
  public:
    FloorFrame();
    ~FloorFrame();
    FloorFrame(const FloorFrame&) = delete;
    FloorFrame& operator=(const FloorFrame&) = delete;

    void Draw() const;

  private:
    GLuint program = 0;
    GLuint vertexArray = 0;
    GLuint vertexBuffer = 0;
    GLuint texture = 0;
};
