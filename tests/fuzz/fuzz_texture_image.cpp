// Texture image decoding as the texture loader runs it, without a GL context, for every format
// the decoder reads: the seeds hold a picture of each, and the header checks in front of the
// decoder pick the format from the bytes just as they do for a real file.
#include <cstddef>
#include <cstdint>

#include "gfx/texture_image.h"

namespace {

// Smaller than the player's, so that each input decodes quickly even with the sanitizers;
// the checks are the same.
constexpr TextureLimits kFuzzLimits{4096, 1u << 20};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const TextureImageResult result = DecodeTextureImage(data, size, kFuzzLimits);
    // Touch the last texel, so a short buffer shows up here rather than in the driver.
    if (result.image.pixels) {
        const std::size_t bytes = static_cast<std::size_t>(result.image.Bytes());
        volatile unsigned char last = result.image.pixels.get()[bytes - 1];
        (void)last;
    }
    return 0;
}
