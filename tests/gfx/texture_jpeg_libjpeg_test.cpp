// JPEG textures through libjpeg-turbo: the kinds other programs write, and broken or hostile
// files refused with a reason and without the process ending.
#include <gtest/gtest.h>

#include <string>

#include "gfx/texture_decoding.h"
#include "gfx/texture_jpeg.h"
#include "support/image_formats.h"

namespace {

// The frame header's height and width, whatever kind of frame it starts; with `fullColour`, the
// colour is stored at full resolution, as much as the brightness.
std::string WithSize(std::string jpeg, int width, int height, bool fullColour = false) {
    for (std::size_t at = 2; at + 9 < jpeg.size(); ++at) {
        const auto marker = static_cast<unsigned char>(jpeg[at + 1]);
        if (jpeg[at] != '\xFF' || (marker != 0xC0 && marker != 0xC2)) continue;
        jpeg[at + 5] = static_cast<char>(height >> 8), jpeg[at + 6] = static_cast<char>(height);
        jpeg[at + 7] = static_cast<char>(width >> 8), jpeg[at + 8] = static_cast<char>(width);
        if (fullColour) jpeg[at + 11] = 0x11;  // the first component's sampling factors
        return jpeg;
    }
    ADD_FAILURE() << "no frame header";
    return jpeg;
}

}  // namespace

TEST(JpegTexture, GreyProgressiveAndCmykFilesGiveTheSamePicture) {
    struct Case {
        JpegVariant variant;
        const char* name;
        int fileChannels;
    };
    for (const Case c :
         {Case{JpegVariant::Grey, "grey", 1}, Case{JpegVariant::Progressive, "progressive", 3},
          Case{JpegVariant::Cmyk, "cmyk", 3}}) {
        SCOPED_TRACE(c.name);
        const TextureImageResult result = Decode(EncodeJpeg(5, 3, c.variant));
        ASSERT_TRUE(result.image.pixels) << result.error;
        EXPECT_EQ(result.image.width, 5);
        EXPECT_EQ(result.image.height, 3);
        EXPECT_EQ(result.image.fileChannels, c.fileChannels);
        EXPECT_EQ(result.image.uploadChannels, 3);
        // Bottom row first: the ramp's 10th texel (70) first; the top row's 5th (28) last.
        const unsigned char* pixels = result.image.pixels.get();
        EXPECT_NEAR(pixels[0], 70, 8);
        EXPECT_NEAR(pixels[1], 70, 8);
        EXPECT_NEAR(pixels[3 * 14 + 2], 28, 8);
    }
}

TEST(JpegTexture, BrokenAndHostileFilesAreRefusedWithAReason) {
    const std::string jpeg = EncodeJpeg(16, 16, JpegVariant::Progressive);
    const std::string grey = EncodeJpeg(16, 16, JpegVariant::Grey);  // one scan
    // Frames after the last scan begin another pass over the whole picture.
    const std::size_t lastScan = jpeg.rfind("\xFF\xDA");
    std::string manyScans = jpeg.substr(0, jpeg.size() - 2);
    for (int i = 0; i < 600; ++i) manyScans += jpeg.substr(lastScan, jpeg.size() - 2 - lastScan);
    manyScans += "\xFF\xD9";

    struct Case {
        const char* name;
        std::string bytes;
        TextureLimits limits;
        std::string error;
    };
    const Case cases[] = {
        {"cut in its header", jpeg.substr(0, 30), kLimits, "JPEG datastream contains no image"},
        {"larger than the driver takes", WithSize(jpeg, 8192, 16), kLimits,
         "image of 8192x16 is larger than the 4096x4096 the OpenGL driver takes"},
        {"more than one texture may take",
         WithSize(jpeg, 16000, 16000),
         {16384, kMaxTextureBytes},
         "image of 16000x16000 needs 733 MiB to decode, more than the 256 MiB one texture may "
         "take"},
        // Within both limits, but the progressive coefficients of 9000² would take 464 MiB (and
        // the file is long enough to hold them).
        {"decoder's buffers beyond bounds",
         WithSize(jpeg, 9000, 9000, true) + std::string(1 << 20, '\0'),
         {16384, kMaxTextureBytes},
         "JPEG file needs more than 256 MiB of decoding buffers"},
        {"too many scans", manyScans, kLimits, "JPEG file has more than 500 scans"},
        {"cut in its pixels", jpeg.substr(0, jpeg.size() * 2 / 3), kLimits, kJpegCutShort},
        {"cut in its only scan", grey.substr(0, grey.size() * 2 / 3), kLimits, kJpegCutShort},
        {"more blocks than bits", WithSize(jpeg, 4096, 4096), kLimits,
         "JPEG header claims a 4096x4096 picture, more than " + std::to_string(jpeg.size()) +
             " bytes of file can hold"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ErrorOf(c.bytes, c.limits), c.error);
    }
    // A file that lacks only its end marker is whole. Fill bytes before the start marker are
    // allowed.
    EXPECT_TRUE(Decode(grey.substr(0, grey.size() - 2)).image.pixels);
    EXPECT_TRUE(Decode("\xFF" + jpeg).image.pixels);
}
