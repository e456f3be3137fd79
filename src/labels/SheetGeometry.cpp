#include "labels/SheetGeometry.h"

SheetGeometry::Bytes SheetGeometry::toBytes() const {
    const std::uint16_t fields[8] = {topMargin,      sideMargin,       labelWidth,   labelHeight,
                                     verticalGutter, horizontalGutter, labelsAcross, labelsDown};
    Bytes out{};
    for (int i = 0; i < 8; ++i) {
        out[static_cast<std::size_t>(2 * i)] = static_cast<std::uint8_t>(fields[i] & 0xFF);
        out[static_cast<std::size_t>(2 * i + 1)] = static_cast<std::uint8_t>(fields[i] >> 8);
    }
    return out;
}

SheetGeometry SheetGeometry::fromBytes(std::span<const std::uint8_t, kSize> b) {
    auto at = [b](int i) {
        const auto k = static_cast<std::size_t>(2 * i);
        return static_cast<std::uint16_t>(b[k] | (b[k + 1] << 8));
    };
    SheetGeometry g;
    g.topMargin = at(0);
    g.sideMargin = at(1);
    g.labelWidth = at(2);
    g.labelHeight = at(3);
    g.verticalGutter = at(4);
    g.horizontalGutter = at(5);
    g.labelsAcross = at(6);
    g.labelsDown = at(7);
    return g;
}
