#pragma once

#include <QByteArray>
#include <QString>

class QSaveFile;

// Replacing a user's file: the new content goes to a temporary file that takes the old
// one's place only when every byte of it was written.
namespace SaveFile {

// Commits file only when its buffered bytes reach the disk. QSaveFile::commit alone does not
// notice a final flush that fails (a full disk), and would put a cut-off file in place.
[[nodiscard]] bool commit(QSaveFile& file);

struct Outcome {
    bool ok = false;
    QString reason; // why it failed, in the system's words
};

// Writes bytes as the whole new content of path; on failure the old file is untouched.
[[nodiscard]] Outcome write(const QString& path, const QByteArray& bytes);

} // namespace SaveFile
