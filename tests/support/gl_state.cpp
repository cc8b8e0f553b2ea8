#include "support/gl_state.h"

namespace {

bool Enabled(GLenum capability) {
    return glIsEnabled(capability) == GL_TRUE;
}

GLenum Integer(GLenum name) {
    GLint value = 0;
    glGetIntegerv(name, &value);
    return static_cast<GLenum>(value);
}

}  // namespace

PassState CurrentPassState() {
    PassState state;
    state.depthTest = Enabled(GL_DEPTH_TEST);
    state.depthFunction = Integer(GL_DEPTH_FUNC);
    float range[2] = {-1.0f, -1.0f};
    glGetFloatv(GL_DEPTH_RANGE, range);
    state.depthNear = range[0];
    state.depthFar = range[1];
    GLboolean depthWrites = GL_FALSE;
    glGetBooleanv(GL_DEPTH_WRITEMASK, &depthWrites);
    state.depthWrites = depthWrites == GL_TRUE;
    state.blend = Enabled(GL_BLEND);
    state.blendSource = Integer(GL_BLEND_SRC_RGB);
    state.blendDestination = Integer(GL_BLEND_DST_RGB);
    state.cullBackFaces = Enabled(GL_CULL_FACE);
    state.shaderPointSize = Enabled(GL_PROGRAM_POINT_SIZE);
    GLboolean color[4] = {GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE};
    glGetBooleanv(GL_COLOR_WRITEMASK, color);
    state.colorWrites = color[0] && color[1] && color[2] && color[3];
    state.scissorTest = Enabled(GL_SCISSOR_TEST);
    return state;
}

void PrintTo(const PassState& state, std::ostream* out) {
    *out << std::hex << std::showbase << "{depth test " << state.depthTest << " func "
         << state.depthFunction << " range " << state.depthNear << ".." << state.depthFar
         << " writes " << state.depthWrites << "; blend " << state.blend << " " << state.blendSource
         << ", " << state.blendDestination << "; cull back faces " << state.cullBackFaces
         << "; shader point size " << state.shaderPointSize << "; colour writes "
         << state.colorWrites << "; scissor " << state.scissorTest << "}" << std::dec
         << std::noshowbase;
}
