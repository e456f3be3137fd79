#pragma once

#include "labels/DimensionValues.h"
#include "labels/DrawSurface.h"

#include <vector>

// The miniature sheet of the Dimensions page: 91 pixels for 210 mm, so that an A4 sheet is a
// 93 x 131 pixel outline.
namespace PagePreview {

// The sheet's outline and the shadow drawn under and to its right.
constexpr DeviceRect kSheet{0, 0, 93, 131};
constexpr int kShadowWidth = 2;
constexpr std::uint32_t kShadowColour = 0x646464; // red, green and blue 100

// Whole millimetres to preview pixels.
int MmToPreview(int mm);

// The outline of a sheet of paper of that size in millimetres (kSheet for A4).
DeviceRect SheetOutline(double widthMm, double heightMm);

struct Grid {
    DeviceRect first; // the label at row 0, column 0
    int stepX = 0;    // from one column to the next
    int stepY = 0;    // from one row to the next
    int across = 0;
    int down = 0;
};

// Lengths are truncated to whole millimetres; where two are added, the sum is formed before
// truncating.
Grid ComputeGrid(const DimensionValues& values);

// Every label's outline, row by row. Nothing is clipped to the sheet.
std::vector<DeviceRect> Outlines(const Grid& grid);

} // namespace PagePreview
