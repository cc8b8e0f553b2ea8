#include "gfx/gl_dialect.h"

namespace {

constexpr const char* kEsPrologue =
    "#version 300 es\n"
    "precision highp float;\n"
    "precision highp int;\n"
    "precision highp sampler2D;\n"
    "precision highp sampler2DShadow;\n";

}  // namespace

// The first line of every shader file is its version line; whatever follows keeps its number.
std::string ShaderSourceForThisGl(const std::string& source) {
    const std::string::size_type firstLineEnd = source.find('\n');
    if (source.rfind("#version", 0) != 0 || firstLineEnd == std::string::npos) return source;
    return kEsPrologue + std::string("#line 2\n") + source.substr(firstLineEnd + 1);
}

void SetDepthRange(float nearValue, float farValue) {
    glDepthRangef(nearValue, farValue);
}

void SetClearDepth(float depth) {
    glClearDepthf(depth);
}

void EnableShaderPointSize() {}

void AllocateShadowDepth(int size) {
    glTexImage2D(GL_TEXTURE_2D, 0, GL_DEPTH_COMPONENT32F, size, size, 0, GL_DEPTH_COMPONENT,
                 GL_FLOAT, nullptr);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
}

void UseNoColourBuffer() {
    const GLenum none = GL_NONE;
    glDrawBuffers(1, &none);
    glReadBuffer(GL_NONE);
}
