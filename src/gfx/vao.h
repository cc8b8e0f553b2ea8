#pragma once

#include <cstdint>

#include "gfx/gl.h"
#include "gfx/vbo.h"

// A vertex array object. A plain value: copies share the GL object.
class VAO {
  public:
    GLuint ID = 0;

    VAO();

    // Points attribute `layout` at `vbo`; the caller has bound this vertex array. Leaves
    // GL_ARRAY_BUFFER unbound: the attribute keeps the buffer it was linked to.
    void LinkAttribute(VBO& vbo, GLuint layout, GLuint numComponents, GLenum type,
                       std::int64_t stride, const void* offset);
    void Bind();
    void Unbind();
    void Delete();
};
