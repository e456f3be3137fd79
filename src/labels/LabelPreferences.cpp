#include "labels/LabelPreferences.h"

#include <algorithm>

namespace {

void put16(LabelPreferences::Bytes& b, int at, std::uint16_t v) {
    b[static_cast<std::size_t>(at)] = static_cast<std::uint8_t>(v & 0xFF);
    b[static_cast<std::size_t>(at + 1)] = static_cast<std::uint8_t>(v >> 8);
}

void put32(LabelPreferences::Bytes& b, int at, std::uint32_t v) {
    put16(b, at, static_cast<std::uint16_t>(v & 0xFFFF));
    put16(b, at + 2, static_cast<std::uint16_t>(v >> 16));
}

std::uint16_t get16(const LabelPreferences::Bytes& b, int at) {
    return static_cast<std::uint16_t>(b[static_cast<std::size_t>(at)] |
                                      (b[static_cast<std::size_t>(at + 1)] << 8));
}

std::uint32_t get32(const LabelPreferences::Bytes& b, int at) {
    return get16(b, at) | (static_cast<std::uint32_t>(get16(b, at + 2)) << 16);
}

} // namespace

LabelPreferences::Bytes LabelPreferences::toBytes() const {
    using namespace PrefOffset;
    Bytes b{}; // fill bytes are zero
    const auto g = geometry.toBytes();
    std::copy(g.begin(), g.end(), b.begin());
    put16(b, kReserved16, reserved16);
    put16(b, kMaxFontSize, maxFontSize);
    put16(b, kSettingsVersion, settingsVersion);
    put32(b, kItalic, static_cast<std::uint32_t>(italic));
    put32(b, kBold, static_cast<std::uint32_t>(bold));
    put32(b, kReserved32, static_cast<std::uint32_t>(reserved32));
    b[kReserved36] = reserved36;
    put32(b, kHomeAddresses, static_cast<std::uint32_t>(homeAddresses));
    b[kFirstLabel] = firstLabel;
    b[kAlignment] = alignment;
    put32(b, kReserved48, static_cast<std::uint32_t>(reserved48));
    b[kMargin] = margin;
    put32(b, kUsStyle, static_cast<std::uint32_t>(usStyle));
    put32(b, kSortByLastName, static_cast<std::uint32_t>(sortByLastName));
    b[kContactSource] = contactSource;
    put32(b, kTextColour, textColour);
    return b;
}

void LabelPreferences::overlay(const std::uint8_t* bytes, std::size_t size) {
    using namespace PrefOffset;
    Bytes b = toBytes();
    std::copy(bytes, bytes + std::min<std::size_t>(size, kSize), b.begin());
    geometry = SheetGeometry::fromBytes(std::span(b).first<SheetGeometry::kSize>());
    reserved16 = get16(b, kReserved16);
    maxFontSize = get16(b, kMaxFontSize);
    settingsVersion = get16(b, kSettingsVersion);
    italic = static_cast<std::int32_t>(get32(b, kItalic));
    bold = static_cast<std::int32_t>(get32(b, kBold));
    reserved32 = static_cast<std::int32_t>(get32(b, kReserved32));
    reserved36 = b[kReserved36];
    homeAddresses = static_cast<std::int32_t>(get32(b, kHomeAddresses));
    firstLabel = b[kFirstLabel];
    alignment = b[kAlignment];
    reserved48 = static_cast<std::int32_t>(get32(b, kReserved48));
    margin = b[kMargin];
    usStyle = static_cast<std::int32_t>(get32(b, kUsStyle));
    sortByLastName = static_cast<std::int32_t>(get32(b, kSortByLastName));
    contactSource = b[kContactSource];
    textColour = get32(b, kTextColour);
}
