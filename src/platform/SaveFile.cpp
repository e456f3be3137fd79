#include "platform/SaveFile.h"

#include <QSaveFile>

bool SaveFile::commit(QSaveFile& file) {
    if (!file.flush()) {
        file.cancelWriting();
        (void)file.commit(); // removes the temporary file
        return false;
    }
    return file.commit();
}

SaveFile::Outcome SaveFile::write(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {false, file.errorString()};
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        (void)file.commit();
        return {false, reason};
    }
    if (!commit(file))
        return {false, file.errorString()};
    return {true, {}};
}
