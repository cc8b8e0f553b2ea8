// Texture image decoding as the texture loader runs it, without a GL context.
#include <cstddef>
#include <cstdint>

#include "gfx/texture_image.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const TextureImageResult result = DecodeTextureImage(data, size);
    // Touch the last texel, so a short buffer shows up here rather than in the driver.
    if (result.image.pixels) {
        const std::size_t bytes = static_cast<std::size_t>(result.image.width) *
                                  static_cast<std::size_t>(result.image.height) *
                                  static_cast<std::size_t>(result.image.uploadChannels);
        volatile unsigned char last = result.image.pixels.get()[bytes - 1];
        (void)last;
    }
    return 0;
}
