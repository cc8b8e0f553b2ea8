#include "render/frame_sky.h"

#include "gfx/uniforms.h"
#include "render/shader_constants.h"

namespace {

// The block's three colours, each a vec3 in its std140 slot of four floats, as the program writes
// them, in this order.
const std::vector<const char*> kCapturedColours = {"zenithColour", "horizonScatteredLight",
                                                   "horizonNightGlow"};
const GLsizeiptr kBlockBytes = static_cast<GLsizeiptr>(kCapturedColours.size() * 4 * sizeof(float));

}  // namespace

FrameSkyLight::FrameSkyLight(std::ostream& err)
    : program("shaders/sky_light.vert", "shaders/sky_light.frag", err, SceneShaderConstants(),
              kCapturedColours) {
    glGenBuffers(1, &buffer);
    glBindBuffer(GL_UNIFORM_BUFFER, buffer);
    glBufferData(GL_UNIFORM_BUFFER, kBlockBytes, nullptr, GL_DYNAMIC_COPY);
    glBindBuffer(GL_UNIFORM_BUFFER, 0);
    glBindBufferBase(GL_UNIFORM_BUFFER, kBlockBinding, buffer);
    glGenVertexArrays(1, &pointArray);
}

void FrameSkyLight::Connect(const std::vector<Shader*>& programs) const {
    for (Shader* shader : programs) {
        const GLuint block = glGetUniformBlockIndex(shader->ID, "FrameSky");
        if (block != GL_INVALID_INDEX) glUniformBlockBinding(shader->ID, block, kBlockBinding);
    }
}

// WebGL2 refuses a buffer bound for capture and as a uniform block at once: it is taken off the
// block while it is written.
void FrameSkyLight::Update(const glm::vec3& sunPos) {
    program.Activate();
    SetUniform(program, "lightPos", sunPos);
    glBindBufferBase(GL_UNIFORM_BUFFER, kBlockBinding, 0);
    glBindBufferBase(GL_TRANSFORM_FEEDBACK_BUFFER, 0, buffer);
    glEnable(GL_RASTERIZER_DISCARD);
    glBindVertexArray(pointArray);
    glBeginTransformFeedback(GL_POINTS);
    glDrawArrays(GL_POINTS, 0, 1);
    glEndTransformFeedback();
    glBindVertexArray(0);
    glDisable(GL_RASTERIZER_DISCARD);
    glBindBufferBase(GL_TRANSFORM_FEEDBACK_BUFFER, 0, 0);
    glBindBufferBase(GL_UNIFORM_BUFFER, kBlockBinding, buffer);
}
