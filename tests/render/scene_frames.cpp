#include "render/scene_frames.h"

std::unique_ptr<Scene> SceneFrames::scene;
std::string SceneFrames::startupLog;

float FilmSunAngle(float filmTime) {
    return static_cast<float>(DayNightCycle::kStartAngle + DayNightCycle::kRate * filmTime);
}

void SceneFrames::SetUpTestSuite() {
    GlTest::SetUpTestSuite();
    if (!window()) return;
    testing::internal::CaptureStdout();
    scene = std::make_unique<Scene>();
    startupLog = testing::internal::GetCapturedStdout();
    glEnable(GL_DEPTH_TEST);
}

void SceneFrames::TearDownTestSuite() {
    scene.reset();
}

void SceneFrames::Render(const glm::vec3& eye, const glm::vec3& target, float angle,
                         float fadeAlpha, bool drawSun) {
    camera.position = eye;
    camera.orientation = glm::normalize(target - eye);
    FrameRenderer renderer(*scene, log);
    FrameInputs frame;
    frame.sun = SunAt(angle);
    frame.time = 42.0f;
    frame.fadeAlpha = fadeAlpha;
    frame.drawSun = drawSun;
    renderer.RenderShadowMap(frame.sun);
    renderer.RenderScene(camera, frame);
    glFinish();
}

glm::ivec2 SceneFrames::WindowPixel(const glm::vec3& world) const {
    const glm::vec4 clip = camera.cameraMatrix * glm::vec4(world, 1.0f);
    const glm::vec2 ndc = glm::vec2(clip) / clip.w;
    return glm::ivec2((ndc * 0.5f + 0.5f) * glm::vec2(1920.0f, 1080.0f));
}
