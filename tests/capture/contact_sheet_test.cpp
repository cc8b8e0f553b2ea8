// The contact sheet's picture handling: shrinking frames, the label font, the grid and the files.
#include "contact_sheet.h"

#include <gtest/gtest.h>
#include <stb/stb_image.h>

#include <algorithm>

#include "bitmap_font.h"
#include "rgb_image.h"
#include "support/temp_files.h"

namespace {

RgbImage Gradient(int width, int height) {
    RgbImage image(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            unsigned char* p = image.At(x, y);
            p[0] = static_cast<unsigned char>(x * 7);
            p[1] = static_cast<unsigned char>(y * 11);
            p[2] = static_cast<unsigned char>((x + y) * 3);
        }
    }
    return image;
}

// Pixels of `color` inside the rectangle [x0, x1) x [y0, y1).
int CountColor(const RgbImage& image, int x0, int y0, int x1, int y1, const unsigned char* color) {
    int count = 0;
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            const unsigned char* p = image.At(x, y);
            count += p[0] == color[0] && p[1] == color[1] && p[2] == color[2];
        }
    }
    return count;
}

}  // namespace

TEST(Downscale, EachPixelIsTheRoundedMeanOfTheBlockItCovers) {
    RgbImage image(4, 2);
    const unsigned char left[4][3] = {{0, 10, 255}, {1, 20, 255}, {2, 30, 255}, {2, 41, 254}};
    for (int i = 0; i < 4; ++i) std::copy_n(left[i], 3, image.At(i % 2, i / 2));
    for (int i = 0; i < 2; ++i) std::fill_n(image.At(2, i), 6, 100);
    const RgbImage small = Downscale(image, 2);
    ASSERT_EQ(small.width, 2);
    ASSERT_EQ(small.height, 1);
    EXPECT_EQ(small.At(0, 0)[0], 1);    // (0 + 1 + 2 + 2) / 4 = 1.25
    EXPECT_EQ(small.At(0, 0)[1], 25);   // 101 / 4 = 25.25
    EXPECT_EQ(small.At(0, 0)[2], 255);  // 1019 / 4 = 254.75
    EXPECT_EQ(small.At(1, 0)[0], 100);
}

TEST(Downscale, AThinBrightLineSurvivesAFrameShrunkFiveTimes) {
    RgbImage frame(1920, 1080);
    for (int x = 0; x < 1920; ++x) std::fill_n(frame.At(x, 541), 3, 255);
    const RgbImage tile = Downscale(frame, 384);
    ASSERT_EQ(tile.height, 216);
    EXPECT_EQ(tile.At(200, 108)[0], 51);  // one bright row in five
    EXPECT_EQ(tile.At(200, 107)[0], 0);
    EXPECT_EQ(tile.At(200, 109)[0], 0);
}

TEST(BitmapFont, DigitsHaveDistinctShapesAndUnknownCharactersShowAsBoxes) {
    const unsigned char white[3] = {255, 255, 255};
    std::vector<std::vector<unsigned char>> shapes;
    for (const char* text : {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "#", ".", "s"}) {
        RgbImage image(kGlyphWidth, kGlyphHeight);
        DrawText(image, 0, 0, text, 1, white);
        EXPECT_GT(CountColor(image, 0, 0, kGlyphWidth, kGlyphHeight, white), 0) << text;
        for (const auto& shape : shapes) EXPECT_NE(shape, image.pixels) << text;
        shapes.push_back(image.pixels);
    }
    RgbImage box(kGlyphWidth, kGlyphHeight);
    DrawText(box, 0, 0, "?", 1, white);
    EXPECT_EQ(CountColor(box, 0, 0, kGlyphWidth, kGlyphHeight, white), kGlyphWidth * kGlyphHeight);

    // Scaled text overlapping the image's corner is clipped, not written out of bounds.
    RgbImage small(8, 8);
    DrawText(small, -5, 4, "888", 3, white);
    EXPECT_GT(CountColor(small, 0, 4, 8, 8, white), 0);
    EXPECT_EQ(CountColor(small, 0, 0, 8, 4, white), 0);
}

TEST(ContactSheet, TilesFillTheirOwnCellsRowByRowWithTheirLabelBelow) {
    constexpr int kTileW = 40, kTileH = 22;
    ContactSheet sheet(23, 5, kTileW, kTileH);
    const int gap = ContactSheet::kGap;
    EXPECT_EQ(sheet.Image().width, gap + 5 * (kTileW + gap));
    EXPECT_EQ(sheet.Image().height, gap + 5 * (kTileH + ContactSheet::kLabelBand + gap));
    EXPECT_EQ(sheet.CellLeft(7), gap + 2 * (kTileW + gap));
    EXPECT_EQ(sheet.CellTop(7), gap + (kTileH + ContactSheet::kLabelBand + gap));

    const unsigned char red[3] = {200, 0, 0};
    RgbImage tile(kTileW, kTileH);
    for (int y = 0; y < kTileH; ++y)
        for (int x = 0; x < kTileW; ++x) std::copy_n(red, 3, tile.At(x, y));
    sheet.Place(7, tile, "#7  51.0s");
    const RgbImage& image = sheet.Image();
    const int left = sheet.CellLeft(7), top = sheet.CellTop(7);
    EXPECT_EQ(CountColor(image, left, top, left + kTileW, top + kTileH, red), kTileW * kTileH);
    EXPECT_EQ(CountColor(image, 0, 0, image.width, image.height, red), kTileW * kTileH);

    const int bandTop = top + kTileH;
    const int bandBottom = bandTop + ContactSheet::kLabelBand;
    int labelPixels = 0;
    for (int y = bandTop; y < bandBottom; ++y)
        for (int x = left; x < left + kTileW; ++x) labelPixels += image.At(x, y)[0] > 128;
    EXPECT_GT(labelPixels, 20);
}

TEST(ContactSheet, AFullSizeFrameIsShrunkToTheTile) {
    ContactSheet sheet(1, 1, 96, 54);
    sheet.Place(0, Gradient(1920, 1080), "#0");
    const RgbImage expected = Downscale(Gradient(1920, 1080), 96);
    const int gap = ContactSheet::kGap;
    for (int y : {0, 27, 53}) {
        for (int x : {0, 50, 95}) {
            for (int c = 0; c < 3; ++c) {
                EXPECT_EQ(sheet.Image().At(gap + x, gap + y)[c], expected.At(x, y)[c]);
            }
        }
    }
}

TEST(WriteImage, PngKeepsEveryPixelAndJpegKeepsTheSize) {
    TempDir dir;
    const RgbImage image = Gradient(33, 17);
    ASSERT_TRUE(WriteImage(dir.path() / "sheet.png", image));
    ASSERT_TRUE(WriteImage(dir.path() / "sheet.jpg", image));
    EXPECT_FALSE(WriteImage(dir.path() / "missing" / "sheet.png", image));

    int width = 0, height = 0, channels = 0;
    unsigned char* png =
        stbi_load((dir.path() / "sheet.png").c_str(), &width, &height, &channels, 3);
    ASSERT_NE(png, nullptr);
    EXPECT_EQ(width, 33);
    EXPECT_EQ(height, 17);
    EXPECT_TRUE(std::equal(image.pixels.begin(), image.pixels.end(), png));
    stbi_image_free(png);

    unsigned char* jpg =
        stbi_load((dir.path() / "sheet.jpg").c_str(), &width, &height, &channels, 3);
    ASSERT_NE(jpg, nullptr);
    EXPECT_EQ(width, 33);
    EXPECT_EQ(height, 17);
    stbi_image_free(jpg);
}
