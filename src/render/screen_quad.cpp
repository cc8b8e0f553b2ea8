#include "render/screen_quad.h"

ScreenQuad CreateScreenQuad() {
    static const float kVertices[] = {
        -1.0f, 1.0f, 0.0f, 1.0f, -1.0f, -1.0f, 0.0f, 0.0f, 1.0f, -1.0f, 1.0f, 0.0f,
        -1.0f, 1.0f, 0.0f, 1.0f, 1.0f,  -1.0f, 1.0f, 0.0f, 1.0f, 1.0f,  1.0f, 1.0f,
    };
    ScreenQuad quad;
    glGenVertexArrays(1, &quad.screenQuadVAO);
    glGenBuffers(1, &quad.screenQuadVBO);
    glBindVertexArray(quad.screenQuadVAO);
    glBindBuffer(GL_ARRAY_BUFFER, quad.screenQuadVBO);
    glBufferData(GL_ARRAY_BUFFER, sizeof kVertices, kVertices, GL_STATIC_DRAW);
    const GLsizei stride = 4 * sizeof(float);
    glVertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, stride, nullptr);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(1, 2, GL_FLOAT, GL_FALSE, stride,
                          reinterpret_cast<void*>(2 * sizeof(float)));
    glEnableVertexAttribArray(1);
    glBindVertexArray(0);
    return quad;
}
