#include "scene_frames.h"

#include <memory>

#include "gfx/uniforms.h"
#include "render/pass_states.h"
#include "support/gl_state.h"

namespace {
ConsoleLines sceneConsole;  // the shared scene's console, for as long as the scene lives
std::unique_ptr<Scene> sharedScene;
std::string sharedStartupLog;
std::string sharedStartupErrors;
}  // namespace

void SceneFrames::SetUpTestSuite() {
    GlTest::SetUpTestSuite();
    if (!window() || sharedScene) return;
    sharedScene = std::make_unique<Scene>(sceneConsole, /*withFullPath=*/true);
    // The frames' uploads, as the player reports them; start-up gives the lit programs their
    // point light, which none of them uses.
    RememberMissingUniforms(true);
    sharedStartupLog = sceneConsole.TakeOut();
    sharedStartupErrors = sceneConsole.TakeErr();
}

Scene& SceneFrames::scene() {
    return *sharedScene;
}

const std::string& SceneFrames::startupLog() {
    return sharedStartupLog;
}

const std::string& SceneFrames::startupErrors() {
    return sharedStartupErrors;
}

void SceneFrames::Render(const glm::vec3& eye, const glm::vec3& lookAt, float angle,
                         float fadeAlpha, const FrameTarget& target, bool drawSun) {
    camera.position = eye;
    camera.orientation = glm::normalize(lookAt - eye);
    FrameRenderer renderer(scene(), console);
    renderer.shortcuts = shortcuts;
    renderer.SetPassObserver(passObserver);
    FrameInputs frame;
    frame.sun = SunAt(angle);
    frame.time = 42.0f;
    frame.fadeAlpha = fadeAlpha;
    frame.drawSun = drawSun;
    renderer.RenderShadowMap(frame.sun, &camera, renderScale);
    EXPECT_EQ(CurrentPassState(), pass_states::kFrame) << "after the shadow map";
    renderer.RenderScene(camera, frame, target);
    ExpectTheStateAFrameEndsWith();
    glFinish();
}

void SceneFrames::ExpectTheStateAFrameEndsWith() {
    EXPECT_EQ(CurrentPassState(), pass_states::kFrame);
    GLint framebuffer = -1, viewport[4] = {0, 0, 0, 0};
    glGetIntegerv(GL_FRAMEBUFFER_BINDING, &framebuffer);
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(framebuffer, 0);
    EXPECT_EQ(viewport[2], 1920);
    EXPECT_EQ(viewport[3], 1080);
    // A pass that uploads a name its program lacks would have it dropped without a word.
    EXPECT_EQ(TakeMissingUniforms(), std::vector<std::string>{});
}

glm::ivec2 SceneFrames::WindowPixel(const glm::vec3& world) const {
    const glm::vec4 clip = camera.cameraMatrix * glm::vec4(world, 1.0f);
    const glm::vec2 ndc = glm::vec2(clip) / clip.w;
    return glm::ivec2((ndc * 0.5f + 0.5f) * glm::vec2(1920.0f, 1080.0f));
}
