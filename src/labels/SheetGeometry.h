#pragma once

#include <QByteArray>
#include <array>
#include <cstdint>
#include <span>

// The grid of labels on a sheet, lengths in tenths of a millimetre. Its 16 bytes are the
// start of the settings record, the whole of a .dim file and the start of a .lbl trailer.
struct SheetGeometry {
    std::uint16_t topMargin = 130;
    std::uint16_t sideMargin = 50;
    std::uint16_t labelWidth = 990;
    std::uint16_t labelHeight = 340;
    std::uint16_t verticalGutter = 20;  // gap between two adjacent columns
    std::uint16_t horizontalGutter = 0; // gap between two adjacent rows
    std::uint16_t labelsAcross = 2;
    std::uint16_t labelsDown = 8;

    static constexpr int kSize = 16;
    using Bytes = std::array<std::uint8_t, kSize>;

    Bytes toBytes() const;
    // Exactly 16 bytes: the type holds the length, so no caller can read past short data.
    static SheetGeometry fromBytes(std::span<const std::uint8_t, kSize> bytes);

    bool operator==(const SheetGeometry&) const = default;
};
