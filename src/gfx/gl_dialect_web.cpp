#include "gfx/gl_dialect.h"
#include "gfx/glsl_es.h"

std::string ShaderSourceForThisGl(const std::string& source) {
    return AsGlslEs(source);
}

void SetDepthRange(float nearValue, float farValue) {
    glDepthRangef(nearValue, farValue);
}

void SetClearDepth(float depth) {
    glClearDepthf(depth);
}

void DrawTriangleRuns(const GLsizei* counts, const void* const* offsets, GLsizei runs) {
    for (GLsizei i = 0; i < runs; ++i) {
        glDrawElements(GL_TRIANGLES, counts[i], GL_UNSIGNED_INT, offsets[i]);
    }
}

void SetShaderPointSize(bool) {}

void AllocateShadowDepth(int size) {
    glTexImage2D(GL_TEXTURE_2D, 0, GL_DEPTH_COMPONENT32F, size, size, 0, GL_DEPTH_COMPONENT,
                 GL_FLOAT, nullptr);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
}

void UseNoColorBuffer() {
    const GLenum none = GL_NONE;
    glDrawBuffers(1, &none);
    glReadBuffer(GL_NONE);
}
