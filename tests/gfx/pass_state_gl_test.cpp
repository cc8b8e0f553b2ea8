// A pass's state applied whole in a real OpenGL 3.3 core context.
#include "gfx/pass_state.h"
#include "support/gl_context.h"
#include "support/gl_state.h"

namespace {

class PassStates : public GlTest {};

struct NamedState {
    const char* name;
    PassState state;
};

// The state between passes, each aspect changed on its own, and all of them at once.
const NamedState kStates[] = {
    {"between passes", PassState()},
    {"no depth test", PassState().WithoutDepthTest()},
    {"pinned to the far plane", PassState().DepthTested(GL_LEQUAL, 1.0f, 1.0f)},
    {"no depth writes", PassState().WithoutDepthWrites()},
    {"additive", PassState().Blended(GL_ONE, GL_ONE)},
    {"back faces culled", PassState().BackFacesCulled()},
    {"shader point size", PassState().WithShaderPointSize()},
    {"no colour writes", PassState().WithoutColorWrites()},
    {"scissored", PassState().Scissored()},
    {"everything else", PassState()
                            .DepthTested(GL_GREATER, 0.25f, 0.75f)
                            .WithoutDepthTest()
                            .WithoutDepthWrites()
                            .Blended(GL_SRC_ALPHA, GL_ONE)
                            .BackFacesCulled()
                            .WithShaderPointSize()
                            .WithoutColorWrites()
                            .Scissored()},
};

}  // namespace

// Whatever the pass before left, and whichever way it had the faces culled, the next pass's
// state is all there is.
TEST_F(PassStates, ApplyingAStateLeavesExactlyItWhateverCameBefore) {
    for (const NamedState& before : kStates) {
        for (const NamedState& after : kStates) {
            SCOPED_TRACE(std::string(before.name) + ", then " + after.name);
            ApplyPassState(before.state);
            glCullFace(GL_FRONT);
            glFrontFace(GL_CW);
            ApplyPassState(after.state);
            EXPECT_EQ(CurrentPassState(), after.state);
            GLint culledFace = 0, frontFace = 0;
            glGetIntegerv(GL_CULL_FACE_MODE, &culledFace);
            glGetIntegerv(GL_FRONT_FACE, &frontFace);
            EXPECT_EQ(culledFace, GL_BACK);
            EXPECT_EQ(frontFace, GL_CCW);
        }
    }
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
