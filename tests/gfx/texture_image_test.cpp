// Image decoding for textures, without a GL context: what is accepted and what is refused.
#include "gfx/texture_image.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "gfx/texture_decoding.h"
#include "support/image_formats.h"
#include "support/temp_files.h"

namespace {

void PutBigEndian(std::string& bytes, size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>(value >> (24 - 8 * i));
}

}  // namespace

TEST(TextureImage, EveryPngIsDecodedOnceToRgbOrRgbaByWhetherItHasAlpha) {
    struct Case {
        int fileChannels, uploadChannels;
    };
    for (const Case c : {Case{1, 3}, Case{2, 4}, Case{3, 3}, Case{4, 4}}) {
        const TextureImageResult result = Decode(EncodePng(3, 2, c.fileChannels));
        ASSERT_TRUE(result.image.pixels) << result.error;
        EXPECT_EQ(result.image.width, 3);
        EXPECT_EQ(result.image.height, 2);
        EXPECT_EQ(result.image.fileChannels, c.fileChannels);
        EXPECT_EQ(result.image.uploadChannels, c.uploadChannels);
        EXPECT_EQ(result.error, "");
    }
    // The driver's largest side still decodes.
    EXPECT_TRUE(Decode(EncodePng(kLimits.maxSide, 1, 3)).image.pixels);
}

TEST(TextureImage, EveryFormatTheDecoderReadsGivesTheSamePicture) {
    for (const EncodedImage& encoded : EncodeInEveryFormat(5, 3)) {
        SCOPED_TRACE(encoded.format);
        const TextureImageResult result = Decode(encoded.bytes);
        ASSERT_TRUE(result.image.pixels) << result.error;
        EXPECT_EQ(result.image.width, 5);
        EXPECT_EQ(result.image.height, 3);
        // GIF, PSD and PIC pictures come with an (opaque) alpha channel.
        const bool alpha =
            encoded.format == "gif" || encoded.format == "psd" || encoded.format == "pic";
        const int channels = alpha ? 4 : 3;
        EXPECT_EQ(result.image.uploadChannels, channels);
        // Flipped: the first texel uploaded is the bottom row's first, the ramp's 10th (70).
        const int tolerance = encoded.format == "jpg" || encoded.format == "hdr" ? 8 : 0;
        EXPECT_NEAR(result.image.pixels.get()[0], 70, tolerance);
        EXPECT_NEAR(result.image.pixels.get()[channels * 14 + 2], 7 * 4,
                    tolerance);  // top row, 5th
    }
}

TEST(TextureImage, SixteenBitGreyIsDecodedOnceToEightBitRgb) {
    // 3x2, 16 bits per sample: black top row, white bottom row.
    const unsigned char grey16[] = {
        0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a, 0x00, 0x00, 0x00, 0x0d, 0x49, 0x48,
        0x44, 0x52, 0x00, 0x00, 0x00, 0x03, 0x00, 0x00, 0x00, 0x02, 0x10, 0x00, 0x00, 0x00,
        0x00, 0xe8, 0x8f, 0xe5, 0x85, 0x00, 0x00, 0x00, 0x16, 0x49, 0x44, 0x41, 0x54, 0x08,
        0xd7, 0x63, 0x60, 0x60, 0x60, 0x60, 0x60, 0x60, 0x60, 0xfc, 0xff, 0x9f, 0x81, 0x81,
        0x81, 0x01, 0x00, 0x0b, 0x0a, 0x02, 0x00, 0x69, 0xfd, 0x45, 0xa0, 0x00, 0x00, 0x00,
        0x00, 0x49, 0x45, 0x4e, 0x44, 0xae, 0x42, 0x60, 0x82};
    const TextureImageResult result = DecodeTextureImage(grey16, sizeof grey16, kLimits);
    ASSERT_TRUE(result.image.pixels) << result.error;
    EXPECT_EQ(result.image.fileChannels, 1);
    EXPECT_EQ(result.image.uploadChannels, 3);
    const unsigned char* pixels = result.image.pixels.get();
    // Flipped: the first row uploaded is the image's bottom (white) row.
    EXPECT_EQ(pixels[0], 255);
    EXPECT_EQ(pixels[2], 255);
    EXPECT_EQ(pixels[3 * 3 + 2], 0);  // the last sample of the top row
}

TEST(TextureImage, CutOrUnknownFilesGiveTheirReason) {
    const std::string png = EncodePng(4, 4, 3);
    EXPECT_EQ(ErrorOf("\x7f" + std::string(64, '\0')), "unknown image type");
    EXPECT_EQ(ErrorOf(""), "the file is empty");
    EXPECT_EQ(ErrorOf(png.substr(0, 8)), "PNG header is cut short");
    EXPECT_EQ(ErrorOf(png.substr(0, 20)), "PNG header is cut short");
    // Cut inside the pixel data: the decoder's own reason.
    EXPECT_NE(ErrorOf(png.substr(0, png.size() - 20)), "");
}

TEST(TextureImage, HeadersClaimingHugeOrImpossibleSizesAreRefusedBeforeDecoding) {
    const std::string png = EncodePng(16, 16, 4);
    constexpr size_t kWidthAt = 16, kHeightAt = 20;

    // Headers of other formats are held to the same sizes: a 16-bit PNM of 8192², an HDR
    // picture whose floats alone take 768 MiB, and a budget that is nearly spent.
    const std::string pnm16 = "P5\n16384 16384\n65535\n" + std::string(64, '\x7f');
    EXPECT_EQ(ErrorOf(pnm16, {16384, kMaxTextureBytes}),
              "image of 16384x16384 needs 768 MiB to decode, more than the 256 MiB one texture may "
              "take");
    const std::string hdr = "#?RADIANCE\nFORMAT=32-bit_rle_rgbe\n\n-Y 8192 +X 8192\n";
    EXPECT_EQ(ErrorOf(hdr + std::string(64, '\0'), {8192, kMaxTextureBytes}),
              "image of 8192x8192 needs 768 MiB to decode, more than the 256 MiB one texture may "
              "take");
    EXPECT_EQ(ErrorOf(png, {4096, 500, kTextureBudgetBytes - 500}),
              "image of 16x16 needs 1 MiB, but the textures loaded so far take 512 MiB of the "
              "512 MiB all textures may take");

    std::string empty = png;
    PutBigEndian(empty, kWidthAt, 0);
    EXPECT_EQ(ErrorOf(empty), "PNG header gives an empty image");
    EXPECT_EQ(ErrorOf(png, {8, kMaxTextureBytes}),
              "image of 16x16 is larger than the 8x8 the OpenGL driver takes");

    // Within the side limit, but no deflate stream of this size can hold 64 MB of pixels.
    std::string bomb = png;
    PutBigEndian(bomb, kWidthAt, 4096);
    PutBigEndian(bomb, kHeightAt, 4096);
    EXPECT_EQ(ErrorOf(bomb), "PNG header claims 67112960 bytes of pixels, more than " +
                                 std::to_string(png.size()) + " bytes of file can hold");

    std::string colour = png;
    colour[25] = 5;
    EXPECT_EQ(ErrorOf(colour), "PNG header gives an unknown colour type");
}

TEST(TextureImage, APsdWithTransparencyLosesItsWhiteOrIsRefusedWhenItsColoursCannotHoldIt) {
    // A 2x2 picture whose colour and alpha are the same in every pixel. `red` is what decodes:
    // the stored colour with the white it was blended with taken out, 255 - (255 - c) / (a / 255),
    // worked by hand; -1 when the file is refused.
    struct Case {
        unsigned char colour, alpha;
        int red;
    };
    const Case cases[] = {
        {0, 255, 0},      // opaque: any colour
        {0, 0, 0},        // clear: any colour
        {200, 128, 145},  // 255 - 55 * 1.9921875 = 145.43
        {127, 128, 0},    // 255 - 128 * 1.9921875 = 0: just fits
        {126, 128, -1},   // -1.99: darker than any colour blended with white at that alpha
        {0, 1, -1},
    };
    const int kPixels = 4;
    const std::string refused =
        "PSD colours do not fit the white background their transparency was blended with";
    for (const Case& c : cases) {
        for (const auto& [depth, runLength] : {std::pair{8, false}, {16, false}, {8, true}}) {
            SCOPED_TRACE(testing::Message()
                         << "colour " << int{c.colour} << ", alpha " << int{c.alpha} << ", "
                         << depth << " bits" << (runLength ? " in runs" : ""));
            const std::vector<unsigned char> colour(kPixels, c.colour), alpha(kPixels, c.alpha);
            const TextureImageResult result =
                Decode(EncodePsd(2, 2, {colour, colour, colour, alpha}, depth, runLength));
            if (c.red < 0) {
                EXPECT_EQ(result.error, refused);
                continue;
            }
            ASSERT_TRUE(result.image.pixels) << result.error;
            EXPECT_EQ(result.image.uploadChannels, 4);
            EXPECT_EQ(result.image.pixels.get()[0], c.red);
            EXPECT_EQ(result.image.pixels.get()[3], c.alpha);
        }
    }
    // Without an alpha plane there is nothing to take out.
    const std::vector<unsigned char> black(kPixels, 0);
    EXPECT_TRUE(Decode(EncodePsd(2, 2, {black, black, black}, 8, false)).image.pixels);
}

TEST(TextureImage, FilesAreReadWholeAndFoldersOrMissingFilesGiveAReason) {
    TempDir dir;
    const TextureImageResult read =
        LoadTextureImage(dir.Write("a.png", EncodePng(2, 2, 3)), kLimits);
    ASSERT_TRUE(read.image.pixels) << read.error;
    EXPECT_EQ(read.image.width, 2);
    const TextureImageResult absent = LoadTextureImage((dir.path() / "none.png").string(), kLimits);
    EXPECT_EQ(absent.error, "can't fopen");
    EXPECT_EQ(absent.hint, "");
    const TextureImageResult relative = LoadTextureImage("no/such/texture.png", kLimits);
    EXPECT_EQ(relative.error, "can't fopen");
    EXPECT_EQ(relative.hint, "No such file under the working directory " +
                                 std::filesystem::current_path().string());
    EXPECT_EQ(LoadTextureImage(dir.path().string(), kLimits).error, "is a folder, not a file");
}

TEST(TextureImage, InputsTheFuzzerFoundAreDecodedOrRefusedWithinBounds) {
    std::size_t seen = 0;
    for (const auto& entry : std::filesystem::directory_iterator("tests/fuzz/regressions/image")) {
        const TextureImageResult result = LoadTextureImage(entry.path().string(), kLimits);
        EXPECT_NE(static_cast<bool>(result.image.pixels), !result.error.empty()) << entry.path();
        ++seen;
    }
    EXPECT_GT(seen, 0u);
    // A tiny file whose pixel chunk claims 2 GB is refused before anything is allocated.
    EXPECT_EQ(LoadTextureImage("tests/fuzz/regressions/image/idat_claims_2gb.png", kLimits).error,
              "PNG chunk claims 1157627987 bytes, more than the file holds");
}
