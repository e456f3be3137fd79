#include "platform/FileError.h"

#include <QTemporaryDir>
#include <cerrno>
#include <gtest/gtest.h>

TEST(FileError, CausesFromTheSystem) {
    EXPECT_EQ(FileError::fromErrno(ENOENT), FileError::FileNotFound);
    EXPECT_EQ(FileError::fromErrno(ENOTDIR), FileError::BadPath);
    EXPECT_EQ(FileError::fromErrno(EACCES), FileError::AccessDenied);
    EXPECT_EQ(FileError::fromErrno(ENOSPC), FileError::DiskFull);

    QTemporaryDir dir;
    const QString missing = dir.path() + QStringLiteral("/none.dim");
    EXPECT_EQ(FileError::probeOpen(missing, false), FileError::FileNotFound);
    EXPECT_EQ(FileError::probeOpen(dir.path() + QStringLiteral("/no/such/x.dim"), true),
              FileError::BadPath);
    EXPECT_EQ(FileError::cantOpenMessage(missing, FileError::FileNotFound),
              QStringLiteral("Can't open file: ") + missing + QStringLiteral(". Error = 2"));
}
