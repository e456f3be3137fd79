#pragma once

#include "labels/SheetGeometry.h"

#include <cstdint>

// The Dimensions page's fields: the geometry as the user types it, lengths in single-precision
// millimetres. Declared in the order the page exchanges them with its controls.
struct DimensionValues {
    float horizontalGutter = 0;
    float labelHeight = 0;
    std::uint32_t numberAcross = 0;
    std::uint32_t numberDown = 0;
    float sideMargin = 0;
    float topMargin = 0;
    float verticalGutter = 0;
    float labelWidth = 0;

    static DimensionValues fromGeometry(const SheetGeometry& geometry);
    // Lengths rounded to tenths, counts cut to 16 bits.
    SheetGeometry toGeometry() const;
};

// Limits the page accepts.
namespace DimensionLimits {
constexpr float kMaxLength = 100.0f; // margins and gutters
constexpr float kMaxLabelSize = 500.0f;
constexpr std::uint32_t kMaxAcross = 20;
constexpr std::uint32_t kMaxDown = 50;
} // namespace DimensionLimits
