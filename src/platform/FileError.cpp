#include "platform/FileError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

FileError::Cause FileError::fromErrno(int error) {
    switch (error) {
    case 0:
        return None;
    case ENOENT:
        return FileNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
    case EINVAL:
    case ELOOP:
        return BadPath;
    case EMFILE:
    case ENFILE:
        return TooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
        return AccessDenied;
    case ENOSPC:
    case EDQUOT:
        return DiskFull;
    case EIO:
        return HardIO;
    case EBUSY:
    case ETXTBSY:
        return SharingViolation;
    case ESPIPE:
        return BadSeek;
    default:
        return Generic;
    }
}

FileError::Cause FileError::probeOpen(const QString& path, bool forWriting) {
    const QByteArray name = QFile::encodeName(path);
    const int fd = forWriting ? ::open(name.constData(), O_WRONLY | O_CREAT | O_APPEND, 0644)
                              : ::open(name.constData(), O_RDONLY);
    if (fd < 0) {
        const int error = errno;
        // A missing folder is a bad path, as opposed to a missing file in an existing folder.
        if (error == ENOENT && !QFileInfo(path).absoluteDir().exists())
            return BadPath;
        return fromErrno(error);
    }
    ::close(fd);
    return None;
}

QString FileError::cantOpenMessage(const QString& path, Cause cause) {
    return QStringLiteral("Can't open file: ") + path + QStringLiteral(". Error = ") +
           QString::number(static_cast<int>(cause));
}

QString FileError::standardMessage(Cause cause, const QString& path) {
    switch (cause) {
    case DiskFull:
        return QStringLiteral("Destination disk drive is full.");
    case AccessDenied:
        return QStringLiteral("Access to %1 was denied.").arg(path);
    case FileNotFound:
        return QStringLiteral("%1 was not found.").arg(path);
    case BadPath:
        return QStringLiteral("%1 contains an invalid path.").arg(path);
    case EndOfFile:
        return QStringLiteral("An attempt was made to access %1 past its end.").arg(path);
    case HardIO:
        return QStringLiteral("A hardware I/O error was reported while accessing %1.").arg(path);
    case SharingViolation:
        return QStringLiteral("A sharing violation occurred while accessing %1.").arg(path);
    default:
        return QStringLiteral("An unexpected error occurred while accessing %1.").arg(path);
    }
}
