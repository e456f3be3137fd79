#include "platform/RegularFile.h"

#include "Fifo.h"
#include "TempDir.h"

#include <QFile>
#include <gtest/gtest.h>

// Only a regular file is opened; a pipe, a device or a folder is refused at once, and a
// refused file stays closed.
TEST(RegularFile, OpensRegularFilesOnlyAndNeverWaits) {
    TempDir dir;
    const QString fifo = makeFifo(dir.path(QStringLiteral("pipe.csv")));
    ASSERT_FALSE(fifo.isEmpty());
    struct Case {
        QString path;
        FileError::Cause cause;
    };
    const std::vector<Case> cases = {
        {dir.write(QStringLiteral("list.csv"), "bytes"), FileError::None},
        {fifo, FileError::InvalidFile},
        {QStringLiteral("/dev/null"), FileError::InvalidFile},
        {dir.path(QString()), FileError::AccessDenied},
        {dir.path(QStringLiteral("missing.csv")), FileError::FileNotFound},
        {dir.path(QStringLiteral("no/such/list.csv")), FileError::BadPath},
    };
    HangGuard guard;
    for (const Case& c : cases) {
        QFile file;
        EXPECT_EQ(RegularFile::open(file, c.path), c.cause) << c.path.toStdString();
        EXPECT_EQ(file.isOpen(), c.cause == FileError::None);
        EXPECT_EQ(RegularFile::isRegular(c.path), c.cause == FileError::None);
        if (file.isOpen()) {
            EXPECT_EQ(file.size(), 5);
            EXPECT_EQ(file.readAll(), QByteArray("bytes"));
        }
    }
}
