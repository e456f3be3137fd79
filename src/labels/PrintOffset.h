#pragma once

// How far a printer's output must be moved to land where it belongs: tenths of a
// millimetre, positive to the right and down.
struct PrintOffset {
    int x = 0;
    int y = 0;

    static constexpr int kLimit = 100; // ±10 mm: more is a wrong sheet, not a paper feed

    bool isZero() const { return x == 0 && y == 0; }
    bool inRange() const { return x >= -kLimit && x <= kLimit && y >= -kLimit && y <= kLimit; }
    bool operator==(const PrintOffset&) const = default;
};
