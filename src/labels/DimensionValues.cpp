#include "labels/DimensionValues.h"

#include "labels/LabelUnits.h"

DimensionValues DimensionValues::fromGeometry(const SheetGeometry& g) {
    DimensionValues v;
    v.topMargin = TenthsToMm(g.topMargin);
    v.sideMargin = TenthsToMm(g.sideMargin);
    v.labelWidth = TenthsToMm(g.labelWidth);
    v.labelHeight = TenthsToMm(g.labelHeight);
    v.verticalGutter = TenthsToMm(g.verticalGutter);
    v.horizontalGutter = TenthsToMm(g.horizontalGutter);
    v.numberAcross = g.labelsAcross;
    v.numberDown = g.labelsDown;
    return v;
}

namespace {

// An out-of-range value still goes through (the test sheet and Save use the values as they
// stand), but one too large for the conversion's 32-bit step is held at its edge first.
std::uint16_t tenths(float mm) {
    constexpr float kLimit = 2.0e8f;
    if (!(mm > -kLimit))
        mm = -kLimit;
    else if (mm > kLimit)
        mm = kLimit;
    return MmToTenths(mm);
}

} // namespace

SheetGeometry DimensionValues::toGeometry() const {
    SheetGeometry g;
    g.topMargin = tenths(topMargin);
    g.sideMargin = tenths(sideMargin);
    g.labelWidth = tenths(labelWidth);
    g.labelHeight = tenths(labelHeight);
    g.verticalGutter = tenths(verticalGutter);
    g.horizontalGutter = tenths(horizontalGutter);
    g.labelsAcross = static_cast<std::uint16_t>(numberAcross);
    g.labelsDown = static_cast<std::uint16_t>(numberDown);
    return g;
}
