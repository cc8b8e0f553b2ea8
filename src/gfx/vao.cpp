#include "gfx/vao.h"

VAO::VAO() {
    glGenVertexArrays(1, &ID);
}

void VAO::LinkAttribute(VBO& vbo, GLuint layout, GLuint numComponents, GLenum type,
                        std::int64_t stride, const void* offset) {
    vbo.Bind();
    glVertexAttribPointer(layout, static_cast<GLint>(numComponents), type, GL_FALSE,
                          static_cast<GLsizei>(stride), offset);
    glEnableVertexAttribArray(layout);
    vbo.Unbind();
}

void VAO::Bind() {
    glBindVertexArray(ID);
}

void VAO::Unbind() {
    glBindVertexArray(0);
}

void VAO::Delete() {
    glDeleteVertexArrays(1, &ID);
}
