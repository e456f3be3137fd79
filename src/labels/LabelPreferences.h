#pragma once

#include "labels/SheetGeometry.h"

#include <array>
#include <cstdint>

// The 72-byte settings record: the label format and a few main-window settings. It is
// stored whole, little-endian, as the "Preferences" value; toBytes/fromBytes give the
// exact layout, field by field, whatever the compiler does with the struct.
struct LabelPreferences {
    SheetGeometry geometry;              // offset 0
    std::uint16_t reserved16 = 8;        // 16
    std::uint16_t maxFontSize = 30;      // 18
    std::uint16_t settingsVersion = 314; // 20
    std::int32_t italic = 0;             // 24
    std::int32_t bold = 0;               // 28
    std::int32_t reserved32 = 0;         // 32
    std::uint8_t reserved36 = 0;         // 36
    std::int32_t homeAddresses = 1;      // 40
    std::uint8_t firstLabel = 1;         // 44
    std::uint8_t alignment = 2;          // 45
    std::int32_t reserved48 = 0;         // 48
    std::uint8_t margin = 8;             // 52
    std::int32_t usStyle = 0;            // 56
    std::int32_t sortByLastName = 0;     // 60
    std::uint8_t contactSource = 2;      // 64
    std::uint32_t textColour = 0;        // 68, 0x00BBGGRR

    static constexpr int kSize = 72;
    static constexpr std::uint16_t kCurrentVersion = 314;
    using Bytes = std::array<std::uint8_t, kSize>;

    Bytes toBytes() const;
    // Overlays bytes on this record: a shorter value fills only the leading bytes, a
    // longer one gives its first 72.
    void overlay(const std::uint8_t* bytes, std::size_t size);

    bool operator==(const LabelPreferences&) const = default;
};

// Where each field lives in the record.
namespace PrefOffset {
constexpr int kReserved16 = 16, kMaxFontSize = 18, kSettingsVersion = 20, kItalic = 24, kBold = 28,
              kReserved32 = 32, kReserved36 = 36, kHomeAddresses = 40, kFirstLabel = 44,
              kAlignment = 45, kReserved48 = 48, kMargin = 52, kUsStyle = 56, kSortByLastName = 60,
              kContactSource = 64, kTextColour = 68;
static_assert(kTextColour + 4 == LabelPreferences::kSize);
static_assert(SheetGeometry::kSize == kReserved16);
} // namespace PrefOffset

// Contact list sources kept in contactSource.
namespace ContactSource {
constexpr std::uint8_t kWindowsContacts = 2;
constexpr std::uint8_t kFile = 3;
constexpr std::uint8_t kGoogle = 4;
} // namespace ContactSource
