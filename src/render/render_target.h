#pragma once

#include <optional>
#include <ostream>
#include <vector>

#include "gfx/gl.h"
#include "gfx/shader.h"
#include "render/pixel_rect.h"
#include "render/screen_quad.h"

// Where a frame's passes draw: a framebuffer and the size of its picture. The window's own
// framebuffer is one; an offscreen colour + depth target of any size is another.
struct FrameTarget {
    GLuint framebuffer = 0;
    int width = 0;
    int height = 0;

    // The default framebuffer of the window: 1920x1080, unless the window's picture was given
    // another size (a page's canvas follows the size it is shown at).
    static FrameTarget Window();
    static void ResizeWindow(int width, int height);
    bool IsWindow() const { return framebuffer == 0; }
    bool IsFilmSize() const;
    // Binds the framebuffer for drawing and reading and covers it with the viewport.
    void Bind() const;
    // The picture as tightly packed RGB rows, bottom row first.
    std::vector<unsigned char> ReadRgb() const;
};

// An offscreen picture: an RGBA8 colour texture and a 24-bit depth buffer behind one framebuffer.
// Like the other GL wrappers it is a value that shares its GL names; `Delete` releases them.
class OffscreenTarget {
  public:
    GLuint framebuffer = 0;
    GLuint colorTexture = 0;
    GLuint depthBuffer = 0;
    int width = 0;
    int height = 0;

    // Creates the GL objects on first use and (re)allocates their storage at width x height;
    // does nothing when the size is already that.
    void Resize(int width, int height);
    FrameTarget Target() const { return {framebuffer, width, height}; }
    bool Allocated() const { return framebuffer != 0; }

    std::vector<unsigned char> ReadRgb() const { return Target().ReadRgb(); }
    void Delete();
};

// Draws an offscreen picture over the whole window, scaled with bilinear filtering (texel for
// texel at the window's size). A drawn quad, not a blit: a multisampled window, which drivers
// that force anti-aliasing make, refuses to be blitted into. Its program is built when it is
// first needed, so that a picture that never shrinks needs none of its files.
class PictureScaler {
  public:
    explicit PictureScaler(std::ostream& err, const char* vertexFile = "shaders/present.vert",
                           const char* fragmentFile = "shaders/present.frag");
    // Builds the program on the first call. False when it cannot be built (a file that cannot
    // be read, or a program that does not compile and link): said once on `err`, with the
    // reason, and the picture is then to stay at full size.
    bool Ready();
    // Leaves the frame's state (pass_states::kFrame) and the default framebuffer bound with the
    // window's viewport. Draws nothing unless Ready().
    void PresentToWindow(const OffscreenTarget& picture);
    // The same into `area` of a window whose framebuffer is `window`'s size; the rest of the
    // window is black.
    void PresentInto(const OffscreenTarget& picture, const FrameTarget& window,
                     const PixelRect& area);
    void Delete();

  private:
    enum class Build { NotTried, Built, Failed };
    std::ostream& err;
    const char* vertexFile;
    const char* fragmentFile;
    Build build = Build::NotTried;
    std::optional<Shader> program;
    ScreenQuad quad;
};
