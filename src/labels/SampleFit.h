#pragma once

#include <QString>
#include <cstdint>

// Where and at what scale the Fonts page shows its sample label: at actual size (96 pixels
// per inch) when it fits, otherwise reduced to fit the page between the controls above it
// and the caption below it.
struct SampleFit {
    static constexpr int kTopReserve = 80;    // pixels above the sample for the controls
    static constexpr int kBottomReserve = 35; // pixels below it for the caption and arrows

    std::uint8_t scale = 100; // percent, at most 100
    int x = 0;                // the sample's place and size on the page, in pixels
    int y = 0;
    int width = 0;
    int height = 0;

    // From the label's size in millimetres (as the Dimensions page holds it) and the page's
    // size in pixels.
    static SampleFit Compute(float labelWidthMm, float labelHeightMm, int pageWidth,
                             int pageHeight);
};

// The caption under the sample: "Showing at actual size" or "Showing at 57%".
QString SampleScaleText(int scale);
