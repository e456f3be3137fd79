#pragma once

#include <QString>

// File-error causes as the program reports them: "Error = 2" for a missing file and so on.
namespace FileError {
enum Cause {
    None = 0,
    Generic = 1,
    FileNotFound = 2,
    BadPath = 3,
    TooManyOpenFiles = 4,
    AccessDenied = 5,
    InvalidFile = 6,
    RemoveCurrentDir = 7,
    DirectoryFull = 8,
    BadSeek = 9,
    HardIO = 10,
    SharingViolation = 11,
    LockViolation = 12,
    DiskFull = 13,
    EndOfFile = 14,
};

// The cause for an operating-system error number (errno).
Cause fromErrno(int error);

// Why path cannot be opened for reading (or writing), found by trying it; None when it can.
Cause probeOpen(const QString& path, bool forWriting);

// "Can't open file: <path>. Error = <cause>"
QString cantOpenMessage(const QString& path, Cause cause);

// The standard message for a read or write failure after a file was opened.
QString standardMessage(Cause cause, const QString& path);
} // namespace FileError
