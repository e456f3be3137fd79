#include "labels/DimFile.h"

#include "platform/AppPaths.h"
#include "platform/FileError.h"
#include "platform/RegularFile.h"
#include "platform/SaveFile.h"

#include <QFile>
#include <QSaveFile>
#include <cerrno>

namespace DimFile {

namespace {

FileError::Cause causeOr(FileError::Cause cause, FileError::Cause fallback) {
    return cause == FileError::None ? fallback : cause;
}

} // namespace

LoadResult load(const QString& path) {
    QFile file;
    if (const auto cause = RegularFile::open(file, path); cause != FileError::None)
        return {std::nullopt, FileError::cantOpenMessage(path, cause)};
    // Only the first 16 bytes matter, so a huge file costs no more than a right one.
    char bytes[SheetGeometry::kSize];
    errno = 0;
    const qint64 got = file.read(bytes, SheetGeometry::kSize);
    if (got < 0) {
        const auto cause = causeOr(FileError::fromErrno(errno), FileError::HardIO);
        return {std::nullopt, FileError::standardMessage(cause, path)};
    }
    return fromBytes(QByteArrayView(bytes, got), path);
}

LoadResult fromBytes(QByteArrayView bytes, const QString& path) {
    if (bytes.size() < SheetGeometry::kSize) {
        return {std::nullopt,
                QStringLiteral("%1 is not a label dimensions file: it holds %2 bytes instead "
                               "of %3.")
                    .arg(path)
                    .arg(bytes.size())
                    .arg(SheetGeometry::kSize)};
    }
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
    return {SheetGeometry::fromBytes(
                std::span<const std::uint8_t, SheetGeometry::kSize>(data, SheetGeometry::kSize)),
            {}};
}

SaveResult save(const QString& path, const SheetGeometry& geometry) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        // The folder may refuse the temporary file even where the file itself could be
        // opened; that is a refusal all the same.
        const auto cause = causeOr(FileError::probeOpen(path, true), FileError::AccessDenied);
        return {false, FileError::cantOpenMessage(path, cause)};
    }
    const auto bytes = geometry.toBytes();
    errno = 0;
    const bool written = file.write(reinterpret_cast<const char*>(bytes.data()),
                                    SheetGeometry::kSize) == SheetGeometry::kSize;
    if (!written)
        file.cancelWriting(); // commit() then fails and leaves any old file as it was
    if (!SaveFile::commit(file)) {
        const auto cause = causeOr(FileError::fromErrno(errno), FileError::Generic);
        return {false, FileError::standardMessage(cause, path)};
    }
    return {true, {}};
}

QString labelNameFromFile(const QString& path) {
    QString name = AppPaths::lastComponent(path);
    const QString suffix = QStringLiteral(".dim");
    if (name.endsWith(suffix, Qt::CaseInsensitive))
        name.chop(suffix.size());
    return name;
}

} // namespace DimFile
