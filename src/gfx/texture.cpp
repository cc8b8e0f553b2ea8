#include "gfx/texture.h"

#include <stb/stb_image.h>

#include <iostream>

namespace {

// Grey images are widened so that the upload never reads past the decoded pixels: one channel
// becomes RGB, grey with alpha becomes RGBA.
int ChannelsToDecode(int channelsInFile) {
    if (channelsInFile == 1) return 3;
    if (channelsInFile == 2) return 4;
    return 0;
}

}  // namespace

Texture::Texture(const char* image, const char* texType, GLuint slot, bool paletteMode)
    : type(texType) {
    stbi_set_flip_vertically_on_load(1);

    int width = 0, height = 0, channels = 0;
    unsigned char* pixels = stbi_load(image, &width, &height, &channels, 0);
    if (pixels && ChannelsToDecode(channels) != 0) {
        // Only grey images are decoded a second time, widened to the channels they are stored as.
        stbi_image_free(pixels);
        pixels = stbi_load(image, &width, &height, &channels, ChannelsToDecode(channels));
    }
    if (!pixels) {
        std::cerr << "Failed to load texture: " << image << " (" << stbi_failure_reason() << ")"
                  << std::endl;
        unit = slot;
        return;
    }
    std::cout << "Loaded texture: " << image << " channels: " << channels
              << (paletteMode ? " (PALETTE MODE)" : "") << std::endl;

    const bool hasAlpha = channels == 4 || channels == 2;
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
    glTexImage2D(GL_TEXTURE_2D, 0, internalFormat, width, height, 0, format, GL_UNSIGNED_BYTE,
                 pixels);
    glPixelStorei(GL_UNPACK_ALIGNMENT, previousAlignment);
    if (!paletteMode) glGenerateMipmap(GL_TEXTURE_2D);

    stbi_image_free(pixels);
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
