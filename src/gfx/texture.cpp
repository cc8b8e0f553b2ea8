#include "gfx/texture.h"

#include <cstdint>

#include "gfx/texture_image.h"

namespace {

// What the textures of this run have decoded so far, counted against kTextureBudgetBytes.
std::uint64_t budgetUsed = 0;

// The driver's side limit does not change while the program runs; it is asked once.
int MaxTextureSide() {
    static const int side = [] {
        GLint value = 0;
        glGetIntegerv(GL_MAX_TEXTURE_SIZE, &value);
        return value;
    }();
    return side;
}

TextureLimits LimitsNow() {
    const std::uint64_t left = kTextureBudgetBytes - budgetUsed;
    return {MaxTextureSide(), left < kMaxTextureBytes ? left : kMaxTextureBytes, budgetUsed};
}

}  // namespace

Texture::Texture(const char* image, const char* texType, GLuint slot, const Console& console,
                 bool paletteMode)
    : type(texType) {
    const TextureImageResult decoded = LoadTextureImage(image, LimitsNow());
    if (decoded.image.pixels) budgetUsed += decoded.image.Bytes();
    if (!decoded.image.pixels) {
        console.err << "Failed to load texture: " << image << " (" << decoded.error << ")"
                    << std::endl;
        if (!decoded.hint.empty()) console.err << decoded.hint << std::endl;
        unit = slot;
        return;
    }
    const TextureImage& pixels = decoded.image;
    console.out << "Loaded texture: " << image << " channels: " << pixels.fileChannels
                << (paletteMode ? " (PALETTE MODE)" : "") << std::endl;

    const bool hasAlpha = pixels.uploadChannels == 4;
    const GLenum format = hasAlpha ? GL_RGBA : GL_RGB;
    const GLint internalFormat =
        paletteMode ? (hasAlpha ? GL_SRGB8_ALPHA8 : GL_SRGB8) : static_cast<GLint>(format);

    glGenTextures(1, &ID);
    glActiveTexture(GL_TEXTURE0 + slot);
    unit = slot;
    glBindTexture(GL_TEXTURE_2D, ID);

    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER,
                    paletteMode ? GL_NEAREST : GL_NEAREST_MIPMAP_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    if (paletteMode) glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);

    // Rows of odd-width RGB images are not 4-byte aligned; read them tightly packed.
    GLint previousAlignment = 4;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &previousAlignment);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, internalFormat, pixels.width, pixels.height, 0, format,
                 GL_UNSIGNED_BYTE, pixels.pixels.get());
    glPixelStorei(GL_UNPACK_ALIGNMENT, previousAlignment);
    if (!paletteMode) glGenerateMipmap(GL_TEXTURE_2D);

    glBindTexture(GL_TEXTURE_2D, 0);
}

void Texture::texUnit(Shader& shader, const char* uniform, GLuint textureUnit) {
    GLint location = glGetUniformLocation(shader.ID, uniform);
    shader.Activate();
    glUniform1i(location, static_cast<GLint>(textureUnit));
}

void Texture::Bind() {
    glActiveTexture(GL_TEXTURE0 + unit);
    glBindTexture(GL_TEXTURE_2D, ID);
}

void Texture::Unbind() {
    glBindTexture(GL_TEXTURE_2D, 0);
}

void Texture::Delete() {
    glDeleteTextures(1, &ID);
}
