#include "labels/LabelFont.h"

LabelFont MakeLabelFont(std::string_view faceName, std::int32_t bold, std::int32_t italic,
                        int size) {
    LabelFont font;
    font.height = size * 10;
    font.weight = bold != 0 ? LabelFont::kBoldWeight : LabelFont::kNormalWeight;
    font.italic = static_cast<std::uint8_t>(italic & 0xFF);
    // The whole family name: a cut one names no installed face, and another would be used.
    font.faceName = std::string(faceName);
    return font;
}
