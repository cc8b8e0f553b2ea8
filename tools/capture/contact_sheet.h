#pragma once

#include <string>

#include "rgb_image.h"

// A grid of equally sized pictures, each with a label band underneath, on a dark background.
class ContactSheet {
  public:
    static constexpr int kGap = 6;         // pixels around and between the tiles
    static constexpr int kLabelScale = 2;  // font pixels are 2x2
    static constexpr int kLabelBand = 7 * kLabelScale + 8;

    ContactSheet(int tileCount, int columns, int tileWidth, int tileHeight);

    // Puts `tile` (shrunk to the tile width when it is larger) into cell `index`, filled row by
    // row, with `label` below it.
    void Place(int index, const RgbImage& tile, const std::string& label);
    // Where cell `index` starts, in sheet pixels.
    int CellLeft(int index) const;
    int CellTop(int index) const;

    const RgbImage& Image() const { return sheet; }

  private:
    int columns;
    int tileWidth;
    int tileHeight;
    RgbImage sheet;
};
