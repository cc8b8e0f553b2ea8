// Textures decoded from real PNG files and uploaded into a real context.
#include "gfx/texture.h"

#include <stb/stb_image_write.h>

#include <vector>

#include "support/console_lines.h"
#include "support/gl_context.h"
#include "support/temp_files.h"

namespace {

class Textures : public GlTest {
  protected:
    // Writes a PNG of the given size and channel count; pixel (x, y) of channel c holds
    // 10 * y + x + 100 * c, with row 0 at the top of the image.
    std::string WritePng(const std::string& name, int width, int height, int channels) {
        std::vector<unsigned char> pixels(static_cast<size_t>(width * height * channels));
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                for (int c = 0; c < channels; ++c)
                    pixels[static_cast<size_t>((y * width + x) * channels + c)] =
                        static_cast<unsigned char>(10 * y + x + 100 * c);
        const std::string path = (dir.path() / name).string();
        stbi_write_png(path.c_str(), width, height, channels, pixels.data(), width * channels);
        return path;
    }

    static GLint InternalFormat(const Texture& texture) {
        glBindTexture(GL_TEXTURE_2D, texture.ID);
        GLint format = 0;
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_INTERNAL_FORMAT, &format);
        return format;
    }

    static std::vector<unsigned char> Level0(const Texture& texture, GLenum format, size_t size) {
        std::vector<unsigned char> pixels(size);
        glBindTexture(GL_TEXTURE_2D, texture.ID);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glGetTexImage(GL_TEXTURE_2D, 0, format, GL_UNSIGNED_BYTE, pixels.data());
        return pixels;
    }

    TempDir dir;
    ConsoleLines console;
};

}  // namespace

TEST_F(Textures, RgbImageLoadsFlippedUnskewedAndMipmappedWithItsConsoleLine) {
    // Three pixels of RGB make a 9-byte row: a 4-byte unpack alignment would skew row 1.
    const std::string path = WritePng("odd.png", 3, 2, 3);
    Texture texture(path.c_str(), "diffuse", 2, console);
    EXPECT_EQ(console.TakeOut(), "Loaded texture: " + path + " channels: 3\n");
    EXPECT_EQ(console.TakeErr(), "");
    ASSERT_NE(texture.ID, 0u);
    EXPECT_EQ(texture.unit, 2u);
    EXPECT_STREQ(texture.type, "diffuse");
    EXPECT_EQ(InternalFormat(texture), GL_RGB);

    const auto pixels = Level0(texture, GL_RGB, 3 * 2 * 3);
    // Row 0 of the texture is the bottom row of the image (y = 1).
    EXPECT_EQ(pixels[0], 10);       // (0, 1) red
    EXPECT_EQ(pixels[3 * 2], 12);   // (2, 1) red
    EXPECT_EQ(pixels[9], 0);        // (0, 0) red, first pixel of the second row
    EXPECT_EQ(pixels[9 + 7], 102);  // (2, 0) green

    GLint minFilter = 0, magFilter = 0, wrap = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &minFilter);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &magFilter);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &wrap);
    EXPECT_EQ(minFilter, GL_NEAREST_MIPMAP_LINEAR);
    EXPECT_EQ(magFilter, GL_NEAREST);
    EXPECT_EQ(wrap, GL_REPEAT);
    GLint mipWidth = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 1, GL_TEXTURE_WIDTH, &mipWidth);
    EXPECT_EQ(mipWidth, 1) << "mipmaps were not generated";

    // The constructor leaves its unit active with nothing bound there.
    GLint active = 0, bound = -1;
    glGetIntegerv(GL_ACTIVE_TEXTURE, &active);
    EXPECT_EQ(active, GL_TEXTURE2);
    texture.Bind();
    texture.Unbind();
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(bound, 0);
    glActiveTexture(GL_TEXTURE0);
}

TEST_F(Textures, AlphaImagesKeepAlphaAndGreyImagesAreWidenedSafely) {
    const std::string rgba = WritePng("rgba.png", 2, 2, 4);
    const std::string grey = WritePng("grey.png", 5, 1, 1);
    const std::string greyAlpha = WritePng("grey_alpha.png", 1, 1, 2);
    Texture withAlpha(rgba.c_str(), "diffuse", 0, console);
    Texture greyTexture(grey.c_str(), "diffuse", 0, console);
    Texture greyAlphaTexture(greyAlpha.c_str(), "emissive", 1, console, true);
    EXPECT_EQ(console.TakeOut(), "Loaded texture: " + rgba + " channels: 4\n" + "Loaded texture: " +
                                     grey + " channels: 1\n" + "Loaded texture: " + greyAlpha +
                                     " channels: 2 (PALETTE MODE)\n");
    EXPECT_EQ(InternalFormat(withAlpha), GL_RGBA);
    EXPECT_EQ(Level0(withAlpha, GL_RGBA, 16)[3], 310 % 256);  // alpha of (0, 1) survives

    EXPECT_EQ(InternalFormat(greyTexture), GL_RGB);
    const auto greyPixels = Level0(greyTexture, GL_RGB, 15);
    EXPECT_EQ(greyPixels[4 * 3], 4);
    EXPECT_EQ(greyPixels[4 * 3 + 2], 4);  // the grey value is copied to every channel

    EXPECT_EQ(InternalFormat(greyAlphaTexture), GL_SRGB8_ALPHA8);
    // Two textures from one file are two GL textures.
    Texture again(rgba.c_str(), "diffuse", 0, console);
    EXPECT_NE(again.ID, withAlpha.ID);
    glActiveTexture(GL_TEXTURE0);
}

TEST_F(Textures, MissingImageReportsTheDecoderReasonAndCreatesNoTexture) {
    const std::string path = (dir.path() / "missing.png").string();
    Texture texture(path.c_str(), "diffuse", 3, console);
    EXPECT_EQ(console.TakeOut(), "");
    EXPECT_EQ(console.TakeErr(), "Failed to load texture: " + path + " (can't fopen)\n");
    EXPECT_EQ(texture.ID, 0u);
    EXPECT_EQ(texture.unit, 3u);
}
