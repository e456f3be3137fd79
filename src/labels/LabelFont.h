#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// A logical font description, field for field the one the label code fills in. The height
// is in tenths of a point; the drawing surface turns it into a character height in its own
// device units.
struct LabelFont {
    static constexpr int kNormalWeight = 400;
    static constexpr int kBoldWeight = 700;
    static constexpr std::uint8_t kDefaultCharSet = 1;

    int height = 0;
    int width = 0;
    int escapement = 0;
    int orientation = 0;
    int weight = kNormalWeight;
    std::uint8_t italic = 0;
    std::uint8_t underline = 0;
    std::uint8_t strikeOut = 0;
    std::uint8_t charSet = kDefaultCharSet;
    std::uint8_t outPrecision = 0;
    std::uint8_t clipPrecision = 0;
    std::uint8_t quality = 0;
    std::uint8_t pitchAndFamily = 0;
    std::string faceName; // UTF-8, the whole family name

    bool bold() const { return weight >= kBoldWeight; }
    bool operator==(const LabelFont&) const = default;
};

// The description for label text: size in points, bold and italic as the settings hold them.
LabelFont MakeLabelFont(std::string_view faceName, std::int32_t bold, std::int32_t italic,
                        int size);
