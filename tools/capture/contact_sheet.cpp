#include "contact_sheet.h"

#include <algorithm>

#include "bitmap_font.h"

namespace {
constexpr unsigned char kBackground = 24;
constexpr unsigned char kLabelColor[3] = {230, 230, 220};
}  // namespace

ContactSheet::ContactSheet(int tileCount, int columns, int tileWidth, int tileHeight)
    : columns(columns), tileWidth(tileWidth), tileHeight(tileHeight) {
    const int rows = (tileCount + columns - 1) / columns;
    sheet = RgbImage(kGap + columns * (tileWidth + kGap),
                     kGap + rows * (tileHeight + kLabelBand + kGap), kBackground);
}

int ContactSheet::CellLeft(int index) const {
    return kGap + (index % columns) * (tileWidth + kGap);
}

int ContactSheet::CellTop(int index) const {
    return kGap + (index / columns) * (tileHeight + kLabelBand + kGap);
}

void ContactSheet::Place(int index, const RgbImage& tile, const std::string& label) {
    const RgbImage shrunk = tile.width > tileWidth ? Downscale(tile, tileWidth) : tile;
    const int left = CellLeft(index);
    const int top = CellTop(index);
    const int width = std::min(shrunk.width, tileWidth);
    const int height = std::min(shrunk.height, tileHeight);
    for (int y = 0; y < height; ++y) {
        std::copy_n(shrunk.At(0, y), width * 3, sheet.At(left, top + y));
    }
    DrawText(sheet, left + 2, top + tileHeight + 4, label, kLabelScale, kLabelColor);
}
