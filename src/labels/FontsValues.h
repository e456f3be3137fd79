#pragma once

#include <QString>
#include <cstdint>

// The Fonts page's fields: how label text is set, as the page edits it.
struct FontsValues {
    std::int32_t bold = 0;
    std::int32_t italic = 0;
    QString faceName;
    std::uint32_t maxFontSize = 30;
    std::uint32_t textMargin = 8; // 1/96 inch
    std::uint32_t colour = 0;     // 0x00BBGGRR
    std::uint8_t alignment = 2;
};

namespace FontsLimits {
constexpr std::uint32_t kMinFontSize = 8;
constexpr std::uint32_t kMaxFontSize = 50;
constexpr std::uint32_t kMaxMargin = 50;
} // namespace FontsLimits
