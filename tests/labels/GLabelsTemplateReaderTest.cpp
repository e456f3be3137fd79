#include "labels/GLabelsTemplateReader.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

QByteArray fixture(const char* name) {
    QFile f(QStringLiteral(QM_TEST_DATA_DIR "/labels/glabels/") + QLatin1String(name));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << name;
    return f.readAll();
}

const LabelSheet* withCode(const std::vector<LabelSheet>& sheets, const char* code) {
    for (const LabelSheet& s : sheets)
        if (s.code() == QLatin1String(code))
            return &s;
    return nullptr;
}

} // namespace

TEST(GLabelsTemplateReader, ConvertsEveryUnit) {
    const std::pair<const char*, double> cases[] = {
        {"2.625in", 66.675}, {"297.638pt", 105.0}, {"210mm", 210}, {"72pt", 25.4},
        {"6pc", 25.4},       {"1cm", 10},          {"72", 25.4},   {" 1.5 mm ", 1.5},
    };
    for (const auto& [text, mm] : cases)
        EXPECT_NEAR(GLabelsTemplateReader::lengthMm(QLatin1String(text)), mm, 1e-9) << text;
    for (const char* bad : {"", "mm", "-1mm", "1e99in", "nan", "3furlong", "1,5mm"})
        EXPECT_LT(GLabelsTemplateReader::lengthMm(QLatin1String(bad)), 0) << bad;
}

// One grid of rectangles on A4 or Letter is taken, with equivalents; the rest is counted.
TEST(GLabelsTemplateReader, TakesOneGridOfRectanglesAndCountsTheRest) {
    GLabelsTemplateReader reader(LabelSheet::Origin::GLabels);
    ASSERT_TRUE(reader.read(fixture("mixed-templates.xml"), QStringLiteral("mixed-templates.xml")));
    const std::vector<LabelSheet> sheets = reader.finish();
    ASSERT_EQ(sheets.size(), 5u);

    const LabelSheet* a = withCode(sheets, "A100");
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->maker, QStringLiteral("Acme"));
    EXPECT_EQ(a->description, QStringLiteral("Address labels"));
    EXPECT_EQ(a->origin, LabelSheet::Origin::GLabels);
    EXPECT_EQ(a->paper, LabelSheet::Paper::A4);
    EXPECT_EQ(a->toGeometry(), (SheetGeometry{152, 72, 635, 381, 25, 0, 3, 7}));
    EXPECT_EQ(a->family, QStringLiteral("3 x 7, 63.5 x 38.1 mm"));

    for (const char* code : {"U30", "U31", "U32"}) {
        const LabelSheet* u = withCode(sheets, code);
        ASSERT_NE(u, nullptr) << code;
        EXPECT_EQ(u->paper, LabelSheet::Paper::Letter);
        EXPECT_EQ(u->toGeometry(), (SheetGeometry{127, 48, 667, 254, 31, 0, 3, 10})) << code;
    }
    const LabelSheet* p = withCode(sheets, "P1");
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->paper, LabelSheet::Paper::A4);
    EXPECT_EQ(p->toGeometry(), (SheetGeometry{0, 0, 1050, 2970, 0, 0, 2, 1}));

    const GLabelsTemplateReader::Skipped& s = reader.skipped();
    EXPECT_EQ(s.notRectangular, 1);
    EXPECT_EQ(s.notOneGrid, 1);
    EXPECT_EQ(s.otherPaper, 1);
    EXPECT_EQ(s.impossible, 2);
    EXPECT_EQ(s.unresolved, 1);
    EXPECT_EQ(s.total(), 6);
}

// Broken XML is reported with its file and line; what was read before it is kept.
TEST(GLabelsTemplateReader, ReportsBrokenFilesAndKeepsWhatWasRead) {
    QByteArray xml = fixture("mixed-templates.xml");
    xml.truncate(xml.indexOf("<Template brand=\"Acme\" part=\"U30\""));
    xml += "<Template brand=\"Acme\" part=\"Z\" size=\"A4\"><Label-rectangle";
    GLabelsTemplateReader reader(LabelSheet::Origin::UserGLabels);
    EXPECT_FALSE(reader.read(xml, QStringLiteral("mine.template")));
    EXPECT_TRUE(reader.error().startsWith(QStringLiteral("mine.template: not readable XML")))
        << reader.error().toStdString();
    const auto sheets = reader.finish();
    ASSERT_EQ(sheets.size(), 1u);
    EXPECT_EQ(sheets[0].code(), QStringLiteral("A100"));
    EXPECT_EQ(sheets[0].origin, LabelSheet::Origin::UserGLabels);

    // Nothing at all, or no templates, is no sheet and no fault.
    for (const QByteArray& empty : {QByteArray(), QByteArray("<Glabels-templates/>")}) {
        GLabelsTemplateReader r(LabelSheet::Origin::GLabels);
        (void)r.read(empty, QStringLiteral("e"));
        EXPECT_TRUE(r.finish().empty());
    }
}

// Papers come from paper-sizes.xml; a paper the program does not print on is skipped.
TEST(GLabelsTemplateReader, ReadsPaperSizes) {
    GLabelsTemplateReader reader(LabelSheet::Origin::GLabels);
    reader.readPaperSizes(R"(<Glabels-paper-sizes>
        <Paper-size id="MyA4" _name="A4 again" width="210mm" height="297mm"/>
        <Paper-size id="A5" _name="A5" width="148mm" height="210mm"/></Glabels-paper-sizes>)");
    const QByteArray xml = R"(<Glabels-templates>
        <Template brand="B" part="1" size="MyA4"><Label-rectangle width="100mm" height="50mm">
          <Layout nx="2" ny="5" x0="5mm" y0="10mm" dx="100mm" dy="50mm"/></Label-rectangle></Template>
        <Template brand="B" part="2" size="A5"><Label-rectangle width="50mm" height="50mm">
          <Layout nx="2" ny="2" x0="5mm" y0="5mm" dx="60mm" dy="60mm"/></Label-rectangle></Template>
        <Template brand="B" part="3" size="Unknown"><Label-rectangle width="50mm" height="50mm">
          <Layout nx="2" ny="2" x0="5mm" y0="5mm" dx="60mm" dy="60mm"/></Label-rectangle></Template>
        </Glabels-templates>)";
    ASSERT_TRUE(reader.read(xml, QStringLiteral("f")));
    const auto sheets = reader.finish();
    ASSERT_EQ(sheets.size(), 1u);
    EXPECT_EQ(sheets[0].code(), QStringLiteral("1"));
    EXPECT_EQ(reader.skipped().otherPaper, 2);
}
