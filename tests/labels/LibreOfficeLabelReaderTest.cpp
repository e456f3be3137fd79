#include "labels/LibreOfficeLabelReader.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

QByteArray fixture() {
    QFile f(QStringLiteral(QM_TEST_DATA_DIR "/labels/libreoffice/labels.xml"));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    return f.readAll();
}

} // namespace

// Hundredths of a millimetre become the eight figures; continuous labels, other papers and
// impossible sheets are counted, a repeated code is taken once.
TEST(LibreOfficeLabelReader, ReadsSingleSheetsOfA4AndLetter) {
    LibreOfficeLabelReader reader;
    ASSERT_TRUE(reader.read(fixture(), QStringLiteral("labels.xml")));
    const auto& sheets = reader.sheets();
    ASSERT_EQ(sheets.size(), 3u);
    EXPECT_EQ(sheets[0].maker, QStringLiteral("Acme"));
    EXPECT_EQ(sheets[0].code(), QStringLiteral("A21"));
    EXPECT_EQ(sheets[0].description, QStringLiteral("Address labels"));
    EXPECT_EQ(sheets[0].origin, LabelSheet::Origin::LibreOffice);
    EXPECT_EQ(sheets[0].paper, LabelSheet::Paper::A4);
    EXPECT_EQ(sheets[0].toGeometry(), (SheetGeometry{152, 72, 635, 381, 25, 0, 3, 7}));
    EXPECT_EQ(sheets[1].code(), QStringLiteral("5160"));
    EXPECT_EQ(sheets[1].paper, LabelSheet::Paper::Letter);
    EXPECT_EQ(sheets[1].toGeometry(), (SheetGeometry{127, 48, 667, 254, 31, 0, 3, 10}));
    // A name without a code is the code.
    EXPECT_EQ(sheets[2].code(), QStringLiteral("Full sheet"));
    EXPECT_EQ(sheets[2].toGeometry(), (SheetGeometry{0, 0, 2100, 2970, 0, 0, 1, 1}));

    const auto& k = reader.skipped();
    EXPECT_EQ(k.otherPaper, 2);
    EXPECT_EQ(k.impossible, 3);
}

TEST(LibreOfficeLabelReader, ReportsBrokenFiles) {
    QByteArray xml = fixture();
    xml.truncate(xml.indexOf("<label id=\"L2\">") + 20);
    LibreOfficeLabelReader reader;
    EXPECT_FALSE(reader.read(xml, QStringLiteral("labels.xml")));
    EXPECT_TRUE(reader.error().startsWith(QStringLiteral("labels.xml: not readable XML")))
        << reader.error().toStdString();
    EXPECT_EQ(reader.sheets().size(), 2u);
}
