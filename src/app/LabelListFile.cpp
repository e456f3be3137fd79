#include "app/LabelListFile.h"

#include "contacts/CCSVFile.h"
#include "platform/Archive.h"

#include <optional>

namespace {

// The trailer's fields keep the widths of the settings record's fields they come from.
static_assert(SheetGeometry::kSize == 16);
static_assert(sizeof(LabelPreferences::italic) == 4 && sizeof(LabelPreferences::bold) == 4);
static_assert(sizeof(LabelPreferences::alignment) == 1 && sizeof(LabelPreferences::margin) == 1);
static_assert(sizeof(LabelPreferences::maxFontSize) == 2);

struct Trailer {
    SheetGeometry geometry;
    std::string fontName;
    std::int32_t italic = 0;
    std::int32_t bold = 0;
    std::uint8_t alignment = 0;
    std::uint16_t maxFontSize = 0;
};

std::optional<Trailer> readTrailer(ArchiveReader& in) {
    Trailer t;
    const auto geometry = in.bytes(SheetGeometry::kSize);
    if (!geometry)
        return std::nullopt;
    t.geometry = SheetGeometry::fromBytes(std::span<const std::uint8_t, SheetGeometry::kSize>(
        reinterpret_cast<const std::uint8_t*>(geometry->data()), SheetGeometry::kSize));
    const auto face = in.string();
    if (!face)
        return std::nullopt;
    const auto italic = in.i32();
    if (!italic)
        return std::nullopt;
    const auto bold = in.i32();
    if (!bold)
        return std::nullopt;
    const auto alignment = in.u8();
    if (!alignment)
        return std::nullopt;
    const auto maxFontSize = in.u16();
    if (!maxFontSize)
        return std::nullopt;
    t.fontName = *face;
    t.italic = *italic;
    t.bold = *bold;
    t.alignment = *alignment;
    t.maxFontSize = *maxFontSize;
    return t;
}

} // namespace

QByteArray LabelListFile::write(const CSortStrArray& labels, const LabelPreferences& prefs,
                                const std::string& fontName) {
    QByteArray out = CCSVFile::WriteLabelTexts(labels);
    ArchiveWriter trailer;
    const SheetGeometry::Bytes geometry = prefs.geometry.toBytes();
    trailer.bytes(
        std::string_view(reinterpret_cast<const char*>(geometry.data()), geometry.size()));
    trailer.string(fontName);
    trailer.i32(prefs.italic);
    trailer.i32(prefs.bold);
    trailer.u8(prefs.alignment);
    trailer.u16(prefs.maxFontSize);
    trailer.u8(prefs.margin);
    out.append(trailer.data());
    return out;
}

LabelListFile::ReadResult LabelListFile::read(const QByteArray& data, CSortStrArray& labels,
                                              LabelPreferences& prefs, std::string& fontName) {
    ReadResult result;
    const int before = labels.GetSize();
    const CCSVFile::LabelTexts texts = CCSVFile::ReadLabelTexts(data, labels);
    result.labelsRead = labels.GetSize() - before;
    result.endLineFound = texts.endLineFound;
    result.tooManyLabels = texts.tooMany;
    if (texts.tooMany)
        return result;

    ArchiveReader in(data.mid(texts.trailerOffset));
    // A cut trailer leaves the settings whole rather than taking half a sheet from the file.
    const auto trailer = readTrailer(in);
    if (!trailer)
        return result;
    result.trailerRead = true;
    prefs.geometry = trailer->geometry;
    fontName = trailer->fontName;
    prefs.italic = trailer->italic;
    prefs.bold = trailer->bold;
    prefs.alignment = trailer->alignment;
    prefs.maxFontSize = trailer->maxFontSize;
    if (const auto margin = in.u8()) {
        prefs.margin = *margin;
        result.marginRead = true;
    }
    return result;
}

int LabelListFile::unstorableLabel(const CSortStrArray& labels) {
    for (int i = 0; i < labels.GetSize(); ++i) {
        if (labels.GetAt(i).find(CCSVFile::kEndLine) != std::string::npos)
            return i + 1;
    }
    return 0;
}
