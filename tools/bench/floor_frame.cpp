#include "floor_frame.h"

#include <cstdint>
#include <stdexcept>
#include <vector>

#include "gfx/shader.h"
#include "render/pass_states.h"

namespace {

const char* const kVertexSource = R"(#version 330 core
layout(location = 0) in vec2 position;
out vec2 uv;
void main() {
    uv = position * 0.5 + 0.5;
    gl_Position = vec4(position, 0.0, 1.0);
})";

const char* const kFragmentSource = R"(#version 330 core
in vec2 uv;
out vec4 color;
uniform sampler2D picture;
void main() { color = texture(picture, uv); })";

GLuint Compile(GLenum stage, const char* source) {
    const GlBuild shader = CompileStage(stage, source);
    if (!shader.ok) throw std::runtime_error("the floor frame's shader does not compile");
    return shader.id;
}

}  // namespace

FloorFrame::FloorFrame() {
    const GLuint vertex = Compile(GL_VERTEX_SHADER, kVertexSource);
    const GLuint fragment = Compile(GL_FRAGMENT_SHADER, kFragmentSource);
    program = LinkProgram(vertex, fragment).id;

    const float corners[] = {-1, -1, 1, -1, 1, 1, -1, -1, 1, 1, -1, 1};
    glGenVertexArrays(1, &vertexArray);
    glGenBuffers(1, &vertexBuffer);
    glBindVertexArray(vertexArray);
    glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer);
    glBufferData(GL_ARRAY_BUFFER, sizeof corners, corners, GL_STATIC_DRAW);
    glVertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, 2 * sizeof(float), nullptr);
    glEnableVertexAttribArray(0);
    glBindVertexArray(0);

    // Smaller than the window, so that every pixel really interpolates between texels.
    constexpr int kSize = 1024;
    std::vector<std::uint8_t> texels(kSize * kSize * 4);
    for (size_t i = 0; i < texels.size(); ++i)
        texels[i] = static_cast<std::uint8_t>(i * 2654435761u >> 24);
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, kSize, kSize, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                 texels.data());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
}

FloorFrame::~FloorFrame() {
    glDeleteTextures(1, &texture);
    glDeleteBuffers(1, &vertexBuffer);
    glDeleteVertexArrays(1, &vertexArray);
    glDeleteProgram(program);
}

void FloorFrame::Draw() const {
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    ApplyPassState(pass_states::kPresent);
    glUseProgram(program);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, texture);
    glUniform1i(glGetUniformLocation(program, "picture"), 0);
    glBindVertexArray(vertexArray);
    glDrawArrays(GL_TRIANGLES, 0, 6);
    glBindVertexArray(0);
    ApplyPassState(pass_states::kFrame);
}
