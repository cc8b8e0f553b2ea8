// A pass's state applied whole in a real OpenGL 3.3 core context.
#include "gfx/pass_state.h"
#include "support/gl_context.h"
#include "support/gl_state.h"

class PassStates : public GlTest {};

// Every aspect of the one state differs from the other's: applied after it, each must be all
// there is, whichever way the faces were culled before.
TEST_F(PassStates, ApplyingAStateLeavesExactlyItWhateverCameBefore) {
    const PassState betweenPasses;
    const PassState everythingElse = PassState()
                                         .DepthTested(GL_GREATER, 0.25f, 0.75f)
                                         .WithoutDepthTest()
                                         .WithoutDepthWrites()
                                         .Blended(GL_ONE, GL_ONE)
                                         .BackFacesCulled()
                                         .WithShaderPointSize()
                                         .WithoutColorWrites()
                                         .Scissored();
    for (const auto& [before, after] :
         {std::pair{betweenPasses, everythingElse}, std::pair{everythingElse, betweenPasses}}) {
        ApplyPassState(before);
        glCullFace(GL_FRONT);
        glFrontFace(GL_CW);
        ApplyPassState(after);
        EXPECT_EQ(CurrentPassState(), after);
        GLint culledFace = 0, frontFace = 0;
        glGetIntegerv(GL_CULL_FACE_MODE, &culledFace);
        glGetIntegerv(GL_FRONT_FACE, &frontFace);
        EXPECT_EQ(culledFace, GL_BACK);
        EXPECT_EQ(frontFace, GL_CCW);
    }
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    // The tests after this one may share the context: leave it drawing as a new one does.
    ApplyPassState(PassState().WithoutDepthTest());
}
