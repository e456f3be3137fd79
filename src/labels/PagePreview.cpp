#include "labels/PagePreview.h"

#include <algorithm>

namespace PagePreview {

namespace {

// Whole millimetres of a page value, as the float-to-integer conversion gives them; values
// beyond the integer range are held at its edge.
int wholeMm(float mm) {
    constexpr float kLimit = 1.0e6f; // far beyond any sheet, small enough for the arithmetic
    if (!(mm > -kLimit))
        return -static_cast<int>(kLimit);
    if (mm > kLimit)
        return static_cast<int>(kLimit);
    return static_cast<int>(mm);
}

} // namespace

int MmToPreview(int mm) {
    return (mm * 910 / 210 + 5) / 10;
}

DeviceRect SheetOutline(double widthMm, double heightMm) {
    // The frame is drawn one pixel outside the paper on each side.
    return {0, 0, MmToPreview(static_cast<int>(widthMm)) + 2,
            MmToPreview(static_cast<int>(heightMm)) + 2};
}

Grid ComputeGrid(const DimensionValues& v) {
    Grid g;
    g.stepX = MmToPreview(wholeMm(v.labelWidth + v.verticalGutter));
    g.stepY = MmToPreview(wholeMm(v.labelHeight + v.horizontalGutter));
    g.first.left = MmToPreview(wholeMm(v.sideMargin)) + 1;
    g.first.top = MmToPreview(wholeMm(v.topMargin)) + 1;
    g.first.right = MmToPreview(wholeMm(v.labelWidth + v.sideMargin)) + 1;
    g.first.bottom = MmToPreview(wholeMm(v.labelHeight + v.topMargin)) + 1;
    // Counts the page refuses still draw; a runaway count is limited to what could ever show.
    constexpr std::uint32_t kMaxCount = 1000;
    g.across = static_cast<int>(std::min(v.numberAcross, kMaxCount));
    g.down = static_cast<int>(std::min(v.numberDown, kMaxCount));
    return g;
}

std::vector<DeviceRect> Outlines(const Grid& g) {
    std::vector<DeviceRect> rects;
    rects.reserve(static_cast<std::size_t>(g.across) * static_cast<std::size_t>(g.down));
    for (int r = 0; r < g.down; ++r)
        for (int c = 0; c < g.across; ++c)
            rects.push_back({g.first.left + c * g.stepX, g.first.top + r * g.stepY,
                             g.first.right + c * g.stepX, g.first.bottom + r * g.stepY});
    return rects;
}

} // namespace PagePreview
