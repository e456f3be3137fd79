#include "platform/SaveFile.h"
#include "TempDir.h"

#include <QSaveFile>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>

namespace {

// Runs f with a file size limit, so that writing fails part way as on a full disk.
template <typename F> auto withFileSizeLimit(rlim_t bytes, F f) {
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &small);
    auto result = f();
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);
    return result;
}

} // namespace

TEST(SaveFile, AFailedFinalFlushKeepsTheOldFile) {
    TempDir dir;
    const QString path = dir.write(QStringLiteral("old.pdf"), "the old content");
    // Small buffered writes, as a PDF writer makes them: the failure shows only at the flush.
    const bool committed = withFileSizeLimit(2000, [&] {
        QSaveFile file(path);
        file.open(QIODevice::WriteOnly);
        for (int i = 0; i < 100; ++i)
            file.write(QByteArray(50, 'x'));
        return SaveFile::commit(file);
    });
    EXPECT_FALSE(committed);
    EXPECT_EQ(dir.read(QStringLiteral("old.pdf")), QByteArray("the old content"));
}

TEST(SaveFile, WriteReplacesWholeOrNothing) {
    TempDir dir;
    const QString path = dir.write(QStringLiteral("f"), "old");
    const auto big =
        withFileSizeLimit(1000, [&] { return SaveFile::write(path, QByteArray(5000, 'y')); });
    EXPECT_FALSE(big.ok);
    EXPECT_FALSE(big.reason.isEmpty());
    EXPECT_EQ(dir.read(QStringLiteral("f")), QByteArray("old"));

    EXPECT_TRUE(SaveFile::write(path, "new").ok);
    EXPECT_EQ(dir.read(QStringLiteral("f")), QByteArray("new"));
    EXPECT_FALSE(SaveFile::write(dir.path(QStringLiteral("no/such/f")), "x").ok);
}
