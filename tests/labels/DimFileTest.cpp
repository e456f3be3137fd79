#include "Fifo.h"
#include "TempDir.h"

#include "labels/DimFile.h"
#include "labels/LabelUnits.h"

#include <gtest/gtest.h>

TEST(LabelUnits, MmToTenthsRoundsHalfUp) {
    const struct {
        float mm;
        std::uint16_t tenths;
    } cases[] = {{12.35f, 124},  {12.34f, 123}, {0.05f, 1},     {0.04f, 0},
                 {99.99f, 1000}, {99.0f, 990},  {500.0f, 5000}, {0.0f, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(MmToTenths(c.mm), c.tenths) << c.mm;
    EXPECT_FLOAT_EQ(TenthsToMm(MmToTenths(12.35f)), 12.4f);
}

TEST(LabelUnits, EveryTenthsValueRoundTrips) {
    for (int t = 0; t <= 65535; ++t)
        ASSERT_EQ(MmToTenths(TenthsToMm(static_cast<std::uint16_t>(t))), t);
}

TEST(DimFile, DefaultGeometryBytesAndBack) {
    TempDir dir;
    const QString path = dir.path(QStringLiteral("Default.dim"));
    ASSERT_TRUE(DimFile::save(path, SheetGeometry{}).ok());
    EXPECT_EQ(dir.read(QStringLiteral("Default.dim")),
              QByteArray::fromHex("82003200DE0354011400000002000800"));
    const auto loaded = DimFile::load(path);
    ASSERT_TRUE(loaded.ok()) << loaded.message.toStdString();
    EXPECT_EQ(*loaded.geometry, SheetGeometry{});
    EXPECT_FLOAT_EQ(TenthsToMm(loaded.geometry->topMargin), 13.0f);

    // Replacing a file writes the new geometry whole.
    SheetGeometry g;
    g.labelsAcross = 30; // out of the page's range, still loaded as it is
    g.labelWidth = 124;
    ASSERT_TRUE(DimFile::save(path, g).ok());
    EXPECT_EQ(DimFile::load(path).geometry, g);
}

TEST(DimFile, FailuresAreReportedAndChangeNothing) {
    TempDir dir;
    const QString missing = dir.path(QStringLiteral("none.dim"));
    auto r = DimFile::load(missing);
    EXPECT_FALSE(r.ok());
    EXPECT_EQ(r.message,
              QStringLiteral("Can't open file: ") + missing + QStringLiteral(". Error = 2"));

    const QString shortFile = dir.write(QStringLiteral("short.dim"), QByteArray(10, '\x01'));
    r = DimFile::load(shortFile);
    EXPECT_FALSE(r.ok());
    EXPECT_EQ(r.message, shortFile + QStringLiteral(" is not a label dimensions file: it holds "
                                                    "10 bytes instead of 16."));

    // A longer file gives its first 16 bytes.
    const auto bytes = SheetGeometry{}.toBytes();
    const QString longFile = dir.write(QStringLiteral("long.dim"),
                                       QByteArray(reinterpret_cast<const char*>(bytes.data()), 16) +
                                           QByteArray("extra"));
    EXPECT_EQ(DimFile::load(longFile).geometry, SheetGeometry{});

    // A named pipe is refused at once instead of waiting for a writer.
    const QString fifo = makeFifo(dir.path(QStringLiteral("pipe.dim")));
    {
        HangGuard guard;
        r = DimFile::load(fifo);
    }
    EXPECT_EQ(r.message,
              QStringLiteral("Can't open file: ") + fifo + QStringLiteral(". Error = 6"));

    const QString noFolder = dir.path(QStringLiteral("no/such/x.dim"));
    const auto s = DimFile::save(noFolder, SheetGeometry{});
    EXPECT_FALSE(s.ok());
    EXPECT_EQ(s.message,
              QStringLiteral("Can't open file: ") + noFolder + QStringLiteral(". Error = 3"));
}

TEST(DimFile, BytesShorterThanAGeometryAreRefused) {
    const auto bytes = SheetGeometry{}.toBytes();
    const QByteArray whole(reinterpret_cast<const char*>(bytes.data()), SheetGeometry::kSize);
    const QString name = QStringLiteral("x.dim");
    for (const qsizetype size : {0, 1, 15}) {
        const auto r = DimFile::fromBytes(QByteArrayView(whole).first(size), name);
        EXPECT_FALSE(r.ok()) << size;
        EXPECT_EQ(r.message, QStringLiteral("x.dim is not a label dimensions file: it holds %1 "
                                            "bytes instead of 16.")
                                 .arg(size));
    }
    for (const QByteArray& data : {whole, whole + QByteArray(1000, '\xFF')}) {
        const auto r = DimFile::fromBytes(data, name);
        ASSERT_TRUE(r.ok()) << data.size();
        EXPECT_EQ(*r.geometry, SheetGeometry{});
    }
}

TEST(DimFile, LabelNameFromFileName) {
    EXPECT_EQ(DimFile::labelNameFromFile(QStringLiteral("/home/a/Sheet L21.dim")),
              QStringLiteral("Sheet L21"));
    EXPECT_EQ(DimFile::labelNameFromFile(QStringLiteral("Narrow 21mm.dim")),
              QStringLiteral("Narrow 21mm"));
    EXPECT_EQ(DimFile::labelNameFromFile(QStringLiteral("/x/plain")), QStringLiteral("plain"));
    EXPECT_EQ(DimFile::kFilter, QStringLiteral("DIM Files (*.dim)|*.dim||"));
}
