#include "platform/RegularFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

FileError::Cause RegularFile::open(QFile& file, const QString& path) {
    const QByteArray name = QFile::encodeName(path);
    // Without O_NONBLOCK a pipe with no writer would hold up the open itself.
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        if (error == ENOENT && !QFileInfo(path).absoluteDir().exists())
            return FileError::BadPath;
        const FileError::Cause cause = FileError::fromErrno(error);
        return cause == FileError::None ? FileError::Generic : cause;
    }
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        const bool folder = S_ISDIR(status.st_mode);
        ::close(fd);
        return folder ? FileError::AccessDenied : FileError::InvalidFile;
    }
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) < 0 ||
        !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return FileError::Generic;
    }
    return FileError::None;
}

bool RegularFile::isRegular(const QString& path) {
    struct stat status {};
    return ::stat(QFile::encodeName(path).constData(), &status) == 0 && S_ISREG(status.st_mode);
}
