#include "render/render_target.h"

#include <cstddef>

#include "gfx/uniforms.h"
#include "render/film_view.h"
#include "render/pass_states.h"

namespace {

int windowWidth = kWindowWidth;
int windowHeight = kWindowHeight;

}  // namespace

FrameTarget FrameTarget::Window() {
    return {0, windowWidth, windowHeight};
}

void FrameTarget::ResizeWindow(int width, int height) {
    windowWidth = width;
    windowHeight = height;
}

bool FrameTarget::IsFilmSize() const {
    return width == kWindowWidth && height == kWindowHeight;
}

void FrameTarget::Bind() const {
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glViewport(0, 0, width, height);
}

void OffscreenTarget::Resize(int newWidth, int newHeight) {
    if (Allocated() && newWidth == width && newHeight == height) return;
    if (!Allocated()) {
        glGenFramebuffers(1, &framebuffer);
        glGenTextures(1, &colorTexture);
        glGenRenderbuffers(1, &depthBuffer);
    }
    width = newWidth;
    height = newHeight;
    glBindTexture(GL_TEXTURE_2D, colorTexture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glBindRenderbuffer(GL_RENDERBUFFER, depthBuffer);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, width, height);

    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, colorTexture, 0);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, depthBuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
}

std::vector<unsigned char> FrameTarget::ReadRgb() const {
    std::vector<unsigned char> pixels(static_cast<std::size_t>(width) * height * 3);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    return pixels;
}

void OffscreenTarget::Delete() {
    if (!Allocated()) return;
    glDeleteFramebuffers(1, &framebuffer);
    glDeleteTextures(1, &colorTexture);
    glDeleteRenderbuffers(1, &depthBuffer);
    *this = OffscreenTarget();
}

PictureScaler::PictureScaler(std::ostream& err, const char* vertexFile, const char* fragmentFile)
    : err(err), vertexFile(vertexFile), fragmentFile(fragmentFile) {}

bool PictureScaler::Ready() {
    if (build != Build::NotTried) return build == Build::Built;
    build = Build::Failed;
    try {
        program.emplace(vertexFile, fragmentFile, err);
    } catch (const ShaderFileError& error) {
        err << error.what() << std::endl;
    }
    GLint linked = GL_FALSE;
    if (program) glGetProgramiv(program->ID, GL_LINK_STATUS, &linked);
    if (!linked) {
        err << "The picture stays at full size: the program that scales it cannot be built"
            << std::endl;
        return false;
    }
    quad = CreateScreenQuad();
    build = Build::Built;
    return true;
}

void PictureScaler::PresentToWindow(const OffscreenTarget& picture) {
    const FrameTarget window = FrameTarget::Window();
    PresentInto(picture, window, {0, 0, window.width, window.height});
}

void PictureScaler::PresentInto(const OffscreenTarget& picture, const FrameTarget& window,
                                const PixelRect& area) {
    if (!Ready()) return;
    window.Bind();
    ApplyPassState(pass_states::kPresent);
    if (area.width != window.width || area.height != window.height) {
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
    }
    glViewport(area.x, area.y, area.width, area.height);
    program->Activate();
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, picture.colorTexture);
    SetUniform(*program, "picture", 0);
    SetUniform(*program, "areaOrigin", glm::vec2(area.x, area.y));
    SetUniform(*program, "areaSize", glm::vec2(area.width, area.height));
    glBindVertexArray(quad.screenQuadVAO);
    glDrawArrays(GL_TRIANGLES, 0, 6);
    glBindVertexArray(0);
    // The next frame draws into the picture: WebGL refuses that while it stays bound on a unit.
    glBindTexture(GL_TEXTURE_2D, 0);
    window.Bind();
    ApplyPassState(pass_states::kFrame);
}

void PictureScaler::Delete() {
    if (program) program->Delete();
    program.reset();
    glDeleteVertexArrays(1, &quad.screenQuadVAO);
    glDeleteBuffers(1, &quad.screenQuadVBO);
    quad = ScreenQuad();
    build = Build::NotTried;
}
