#pragma once

#include <vector>

#include "gfx/gl.h"

// An index buffer of 32-bit indices. A plain value: copies share the GL buffer.
class EBO {
  public:
    GLuint ID = 0;

    // Uploads the indices once and leaves the buffer bound; while a vertex array is bound the
    // binding becomes part of that vertex array.
    explicit EBO(std::vector<GLuint>& indices);

    void Bind();
    void Unbind();
    void Delete();
};
