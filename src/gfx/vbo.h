#pragma once

#include <vector>

#include "gfx/gl.h"
#include "gfx/vertex.h"

// A vertex buffer. A plain value: copies share the GL buffer, only Delete releases it.
class VBO {
  public:
    GLuint ID = 0;

    // Uploads the vertices once (GL_STATIC_DRAW) and leaves the buffer bound.
    explicit VBO(std::vector<Vertex>& vertices);

    void Bind();
    void Unbind();
    void Delete();
};
