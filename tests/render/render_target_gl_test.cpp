// The visible passes drawn into an offscreen target: the same picture as the window at full size,
// the same picture at a smaller size, with the fade and the lens flare in the target's own
// coordinates.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "render/day_night.h"
#include "render/render_target.h"
#include "scene_frames.h"
#include "support/pixels.h"
#include "support/temp_files.h"

namespace {

// The sun at 120 degrees stands high over -x; from here it sits up and to the right of the
// picture's centre, in the open sky, so its lens flare is drawn.
const glm::vec3 kEye(10.0f, 12.0f, 40.0f);
const glm::vec3 kBesideTheSun(-40.0f, 80.0f, 0.0f);

// Mean absolute difference, in levels, between a full-size picture shrunk by 2 and a half-size
// one, over 8x8 blocks of the half-size picture (so that edges may differ by a sample).
float HalfSizeDifference(const std::vector<unsigned char>& full,
                         const std::vector<unsigned char>& half) {
    double total = 0.0;
    int blocks = 0;
    for (int y = 0; y + 8 <= 540; y += 8) {
        for (int x = 0; x + 8 <= 960; x += 8) {
            const glm::vec3 a = AreaMean(full.data(), 1920, {2 * x, 2 * y, 16, 16});
            const glm::vec3 b = AreaMean(half.data(), 960, {x, y, 8, 8});
            total += std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b);
            blocks += 3;
        }
    }
    return static_cast<float>(total / blocks);
}

class OffscreenFrames : public SceneFrames {
  protected:
    void TearDown() override { target.Delete(); }
    OffscreenTarget target;
};

}  // namespace

// The window's framebuffer and the offscreen colour texture have different pixel formats, which
// the software rasteriser rounds through different paths: a few channel values come out one level
// apart, never more. (The player therefore draws straight into the window at full size.)
TEST_F(OffscreenFrames, AFullSizeTargetHoldsTheWindowsPictureToTheLevel) {
    target.Resize(1920, 1080);
    for (const float fade : {0.0f, 0.4f}) {
        SCOPED_TRACE(fade);
        Render(kEye, kBesideTheSun, kAfternoonAngle, fade);
        const std::vector<unsigned char> window = FrameTarget::Window().ReadRgb();
        Render(kEye, kBesideTheSun, kAfternoonAngle, fade, target.Target());
        const std::vector<unsigned char> offscreen = target.ReadRgb();
        ASSERT_EQ(offscreen.size(), window.size());
        int differing = 0, largest = 0;
        for (size_t i = 0; i < window.size(); ++i) {
            const int difference = std::abs(offscreen[i] - window[i]);
            differing += difference != 0;
            largest = std::max(largest, difference);
        }
        EXPECT_LE(largest, 1);
        EXPECT_LT(differing, static_cast<int>(window.size() / 1000));
    }
    // An offscreen frame ends as every frame does, on the window's framebuffer and viewport.
    ExpectTheStateAFrameEndsWith();
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(OffscreenFrames, PresentingAFullSizeTargetCopiesItUnchanged) {
    target.Resize(1920, 1080);
    Render(kEye, kBesideTheSun, kAfternoonAngle, 0.0f, target.Target());
    glClear(GL_COLOR_BUFFER_BIT);
    PictureScaler scaler(console.err);
    scaler.PresentToWindow(target);
    scaler.Delete();
    EXPECT_TRUE(FrameTarget::Window().ReadRgb() == target.ReadRgb());
}

// The scaler's program is built when first needed. One that cannot be built is said once, with
// its reason, and draws nothing: the player keeps the picture at full size instead.
TEST_F(OffscreenFrames, AScalerWhoseProgramCannotBeBuiltSaysSoOnceAndDrawsNothing) {
    TempDir dir;
    const std::string broken = dir.Write("broken.frag", "#version 330 core\nvoid main() { x; }\n");
    const std::string missing = (dir.path() / "missing.frag").string();
    const struct {
        std::string fragment, reason;
    } cases[] = {{missing, "Failed to open shader file " + missing},
                 {broken, "Shader compile error in " + broken}};
    target.Resize(960, 540);
    console.TakeErr();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fragment);
        glClearColor(0.2f, 0.4f, 0.6f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        const std::vector<unsigned char> before = FrameTarget::Window().ReadRgb();
        PictureScaler scaler(console.err, "shaders/present.vert", c.fragment.c_str());
        EXPECT_FALSE(scaler.Ready());
        EXPECT_FALSE(scaler.Ready());
        scaler.PresentToWindow(target);
        scaler.Delete();
        EXPECT_TRUE(FrameTarget::Window().ReadRgb() == before);
        const std::string said = console.TakeErr();
        EXPECT_EQ(said.find(c.reason), 0u) << said;
        const std::string fullSize = "The picture stays at full size";
        EXPECT_NE(said.find(fullSize), std::string::npos) << said;
        EXPECT_EQ(said.find(fullSize), said.rfind(fullSize)) << "said once";
    }
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(OffscreenFrames, AHalfSizeTargetShowsTheSamePictureWithItsFlareAndFade) {
    target.Resize(960, 540);
    for (const float fade : {0.0f, 0.5f}) {
        SCOPED_TRACE(fade);
        Render(kEye, kBesideTheSun, kAfternoonAngle, fade);
        const std::vector<unsigned char> full = FrameTarget::Window().ReadRgb();
        Render(kEye, kBesideTheSun, kAfternoonAngle, fade, target.Target());
        EXPECT_LT(HalfSizeDifference(full, target.ReadRgb()), 3.0f);
    }

    // The flare brightens the picture's centre, where its middle element lies; the half-size
    // target must find the sun unhidden in its own depth buffer to draw it too.
    Render(kEye, kBesideTheSun, kAfternoonAngle, 0.0f, target.Target());
    const glm::vec3 withFlare = AreaMean(target.ReadRgb().data(), 960, {470, 260, 20, 20});
    Render(kEye, kBesideTheSun, kAfternoonAngle, 0.0f, target.Target(), false);
    const glm::vec3 withoutFlare = AreaMean(target.ReadRgb().data(), 960, {470, 260, 20, 20});
    EXPECT_GT(withFlare.r + withFlare.g + withFlare.b,
              withoutFlare.r + withoutFlare.g + withoutFlare.b + 6.0f);
}

TEST_F(OffscreenFrames, ResizingKeepsTheGlObjectsAndChangesOnlyTheSize) {
    target.Resize(640, 360);
    const GLuint framebuffer = target.framebuffer;
    target.Resize(1280, 720);
    EXPECT_EQ(target.framebuffer, framebuffer);
    EXPECT_EQ(target.Target().width, 1280);
    EXPECT_EQ(target.Target().height, 720);
    glBindFramebuffer(GL_FRAMEBUFFER, target.framebuffer);
    EXPECT_EQ(glCheckFramebufferStatus(GL_FRAMEBUFFER),
              static_cast<GLenum>(GL_FRAMEBUFFER_COMPLETE));
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
}

// Drivers that force anti-aliasing give the window a multisampled framebuffer, which a blit cannot
// draw into. A half-size picture, red on the left and blue on the right, shown on such a window in
// a context of its own, must reach it all the same.
TEST_F(OffscreenFrames, AMultisampledWindowShowsTheScaledPicture) {
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 3);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 3);
    glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
    glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
    glfwWindowHint(GLFW_SAMPLES, 4);
    GLFWwindow* multisampled = glfwCreateWindow(1920, 1080, "multisampled", nullptr, nullptr);
    glfwDefaultWindowHints();
    ASSERT_NE(multisampled, nullptr);
    glfwMakeContextCurrent(multisampled);
    GLint sampleBuffers = 0;
    glGetIntegerv(GL_SAMPLE_BUFFERS, &sampleBuffers);
    EXPECT_EQ(sampleBuffers, 1) << "the window must be multisampled to test anything";
    glEnable(GL_DEPTH_TEST);

    target.Resize(960, 540);
    glBindFramebuffer(GL_FRAMEBUFFER, target.framebuffer);
    glClearColor(0.8f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glEnable(GL_SCISSOR_TEST);
    glScissor(480, 0, 480, 540);
    glClearColor(0.0f, 0.0f, 0.8f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glDisable(GL_SCISSOR_TEST);
    PictureScaler scaler(console.err);
    scaler.PresentToWindow(target);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    ExpectTheStateAFrameEndsWith();
    const std::vector<unsigned char> shown = FrameTarget::Window().ReadRgb();
    EXPECT_EQ(AreaMean(shown.data(), 1920, {400, 500, 32, 32}), glm::vec3(204.0f, 0.0f, 0.0f));
    EXPECT_EQ(AreaMean(shown.data(), 1920, {1400, 500, 32, 32}), glm::vec3(0.0f, 0.0f, 204.0f));
    scaler.Delete();
    target.Delete();
    glfwMakeContextCurrent(window());
    glfwDestroyWindow(multisampled);
}
