#pragma once

#include "platform/FileError.h"

#include <QString>

class QFile;

// Opening a file to read it whole. Opening a named pipe waits for a writer, and a device may
// never end, so only a regular file is opened at all: anything else is refused at once.
namespace RegularFile {

// Opens path into file for reading, once. None on success; otherwise why it was refused (a
// folder counts as access denied, a pipe, socket or device as an invalid file) and file
// stays closed.
[[nodiscard]] FileError::Cause open(QFile& file, const QString& path);

// True when path names a regular file (after links), found without opening it.
bool isRegular(const QString& path);

} // namespace RegularFile
