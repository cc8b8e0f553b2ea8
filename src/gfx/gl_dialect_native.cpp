#include "gfx/gl_dialect.h"

std::string ShaderSourceForThisGl(const std::string& source) {
    return source;
}

void SetDepthRange(float nearValue, float farValue) {
    glDepthRange(nearValue, farValue);
}

void SetClearDepth(float depth) {
    glClearDepth(depth);
}

void DrawTriangleRuns(const GLsizei* counts, const void* const* offsets, GLsizei runs) {
    glMultiDrawElements(GL_TRIANGLES, counts, GL_UNSIGNED_INT, offsets, runs);
}

void SetShaderPointSize(bool on) {
    if (on) {
        glEnable(GL_PROGRAM_POINT_SIZE);
    } else {
        glDisable(GL_PROGRAM_POINT_SIZE);
    }
}

void AllocateShadowDepth(int size) {
    glTexImage2D(GL_TEXTURE_2D, 0, GL_DEPTH_COMPONENT, size, size, 0, GL_DEPTH_COMPONENT, GL_FLOAT,
                 nullptr);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_BORDER);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_BORDER);
    const float border[] = {1.0f, 1.0f, 1.0f, 1.0f};
    glTexParameterfv(GL_TEXTURE_2D, GL_TEXTURE_BORDER_COLOR, border);
}

void UseNoColorBuffer() {
    glDrawBuffer(GL_NONE);
    glReadBuffer(GL_NONE);
}
