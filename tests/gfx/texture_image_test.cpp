// Image decoding for textures, without a GL context: what is accepted and what is refused.
#include "gfx/texture_image.h"

#include <gtest/gtest.h>
#include <stb/stb_image_write.h>

#include <string>
#include <vector>

#include "support/temp_files.h"

namespace {

std::string EncodePng(int width, int height, int channels) {
    std::vector<unsigned char> pixels(static_cast<size_t>(width * height * channels));
    for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<unsigned char>(i * 7);
    std::string png;
    stbi_write_png_to_func(
        [](void* out, void* data, int size) {
            static_cast<std::string*>(out)->append(static_cast<const char*>(data),
                                                   static_cast<size_t>(size));
        },
        &png, width, height, channels, pixels.data(), width * channels);
    return png;
}

TextureImageResult Decode(const std::string& bytes) {
    return DecodeTextureImage(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
}

void PutBigEndian(std::string& bytes, size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>(value >> (24 - 8 * i));
}

std::string ErrorOf(const std::string& bytes) {
    const TextureImageResult result = Decode(bytes);
    EXPECT_FALSE(result.image.pixels) << "accepted";
    return result.error;
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
    // The largest side allowed still decodes.
    EXPECT_TRUE(Decode(EncodePng(kMaxTextureSide, 1, 3)).image.pixels);
}

TEST(TextureImage, OnlyPngIsAcceptedWhateverTheFileIsCalled) {
    const std::string png = EncodePng(4, 4, 3);
    // A 16-bit grey PNM, a JPEG start, a BMP start and nothing at all.
    EXPECT_EQ(ErrorOf("P5\n4096 4096\n65535\n" + std::string(64, '\x7f')), "not a PNG image");
    EXPECT_EQ(ErrorOf("\xFF\xD8\xFF\xE0" + std::string(64, '\0')), "not a PNG image");
    EXPECT_EQ(ErrorOf("BM" + std::string(64, '\0')), "not a PNG image");
    EXPECT_EQ(ErrorOf(""), "not a PNG image");
    EXPECT_EQ(ErrorOf(png.substr(0, 8)), "PNG header is cut short");
    EXPECT_EQ(ErrorOf(png.substr(0, 20)), "PNG header is cut short");
    // Cut inside the pixel data: the decoder's own reason.
    EXPECT_NE(ErrorOf(png.substr(0, png.size() - 20)), "");
}

TEST(TextureImage, HeadersClaimingHugeOrImpossibleSizesAreRefusedBeforeDecoding) {
    const std::string png = EncodePng(16, 16, 4);
    constexpr size_t kWidthAt = 16, kHeightAt = 20;

    std::string huge = png;
    PutBigEndian(huge, kWidthAt, 16384);
    PutBigEndian(huge, kHeightAt, 16384);
    EXPECT_EQ(ErrorOf(huge), "image of 16384x16384 is larger than 4096x4096");

    std::string tall = png;
    PutBigEndian(tall, kHeightAt, kMaxTextureSide + 1);
    EXPECT_EQ(ErrorOf(tall), "image of 16x4097 is larger than 4096x4096");

    std::string empty = png;
    PutBigEndian(empty, kWidthAt, 0);
    EXPECT_EQ(ErrorOf(empty), "PNG header gives an empty image");

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

TEST(TextureImage, FilesAreReadWholeAndFoldersOrMissingFilesGiveAReason) {
    TempDir dir;
    const TextureImageResult read = LoadTextureImage(dir.Write("a.png", EncodePng(2, 2, 3)));
    ASSERT_TRUE(read.image.pixels) << read.error;
    EXPECT_EQ(read.image.width, 2);
    EXPECT_EQ(LoadTextureImage((dir.path() / "none.png").string()).error, "can't fopen");
    EXPECT_EQ(LoadTextureImage(dir.path().string()).error, "is a folder, not a file");
}
