#include "labels/SampleFit.h"

#include <algorithm>

namespace {

// Whole millimetres as the float-to-integer conversion gives them; a length the page would
// refuse is held where the pixel arithmetic stays in range.
int wholeMm(float mm) {
    constexpr float kLimit = 100000.0f;
    if (!(mm > 0.0f))
        return 0;
    return static_cast<int>(std::min(mm, kLimit));
}

int mmToScreen(float mm) {
    return wholeMm(mm) * 96 * 5 / 127;
}

} // namespace

SampleFit SampleFit::Compute(float labelWidthMm, float labelHeightMm, int pageWidth,
                             int pageHeight) {
    int w = mmToScreen(labelWidthMm);
    int h = mmToScreen(labelHeightMm);
    // A page smaller than its reserves has no room at all: scale 0 rather than a negative
    // scale (or a division by a zero-sized label).
    const int AW = std::max(0, pageWidth);
    const int AH = std::max(0, pageHeight - kTopReserve - kBottomReserve);

    const int scaleX = w > AW ? AW * 100 / w : 100;
    const int scaleY = h > AH ? AH * 100 / h : 100;
    const int scale = std::min(scaleX, scaleY);

    w = w * scale / 100;
    h = h * scale / 100;

    SampleFit fit;
    fit.scale = static_cast<std::uint8_t>(scale);
    fit.width = w;
    fit.height = h;
    fit.x = (AW - w) / 2;
    fit.y = std::max(kTopReserve, (AH - h) / 2 + kTopReserve);
    return fit;
}

QString SampleScaleText(int scale) {
    if (scale == 100)
        return QStringLiteral("Showing at actual size");
    return QStringLiteral("Showing at %1%").arg(scale);
}
