#include "gfx/pass_state.h"

#include "gfx/gl_dialect.h"

namespace {

void Switch(GLenum capability, bool on) {
    if (on) {
        glEnable(capability);
    } else {
        glDisable(capability);
    }
}

}  // namespace

void ApplyPassState(const PassState& state) {
    Switch(GL_DEPTH_TEST, state.depthTest);
    glDepthFunc(state.depthFunction);
    SetDepthRange(state.depthNear, state.depthFar);
    glDepthMask(state.depthWrites ? GL_TRUE : GL_FALSE);
    Switch(GL_BLEND, state.blend);
    glBlendFunc(state.blendSource, state.blendDestination);
    Switch(GL_CULL_FACE, state.cullBackFaces);
    glCullFace(GL_BACK);
    glFrontFace(GL_CCW);
    SetShaderPointSize(state.shaderPointSize);
    const GLboolean color = state.colorWrites ? GL_TRUE : GL_FALSE;
    glColorMask(color, color, color, color);
    Switch(GL_SCISSOR_TEST, state.scissorTest);
}
