#pragma once

#include "labels/SheetGeometry.h"

#include <QByteArrayView>
#include <QString>
#include <optional>

// A .dim file holds exactly the 16 bytes of a SheetGeometry: no header, no version.
namespace DimFile {

// The filter of the Load and Save dialogs.
inline const QString kFilter = QStringLiteral("DIM Files (*.dim)|*.dim||");
inline const QString kExtension = QStringLiteral("dim");

struct LoadResult {
    std::optional<SheetGeometry> geometry;
    QString message; // the text to show the user when geometry is empty
    bool ok() const { return geometry.has_value(); }
};

struct SaveResult {
    bool saved = false;
    QString message; // the text to show the user when not saved
    bool ok() const { return saved; }
};

// Reads a geometry. A file that cannot be opened gives "Can't open file: <path>. Error = <n>";
// a file shorter than 16 bytes is refused. Longer files give their first 16 bytes.
[[nodiscard]] LoadResult load(const QString& path);

// The geometry in a file's bytes, with the same refusal of short data as load; path names
// the file in the message.
[[nodiscard]] LoadResult fromBytes(QByteArrayView bytes, const QString& path);

// Writes the 16 bytes, replacing an existing file only once the new one is complete.
[[nodiscard]] SaveResult save(const QString& path, const SheetGeometry& geometry);

// The label name a file gives: its name without folder and without a trailing ".dim".
QString labelNameFromFile(const QString& path);

} // namespace DimFile
