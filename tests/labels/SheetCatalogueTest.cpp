#include "labels/SheetCatalogue.h"
#include "TempDir.h"
#include "labels/SheetLibrary.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <cstdio>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

QByteArray templateOf(const char* brand, const char* part, const char* width, const char* x0) {
    return QStringLiteral(R"(<Template brand="%1" part="%2" size="A4" _description="D">
  <Label-rectangle id="0" width="%3" height="38.1mm">
    <Layout nx="3" ny="7" x0="%4" y0="15.15mm" dx="66.04mm" dy="38.1mm"/>
  </Label-rectangle></Template>)")
        .arg(QLatin1String(brand), QLatin1String(part), QLatin1String(width), QLatin1String(x0))
        .toUtf8();
}

QByteArray file(const QByteArray& templates) {
    return "<?xml version=\"1.0\"?><Glabels-templates>" + templates + "</Glabels-templates>";
}

std::vector<const LabelSheet*> withCode(const SheetCatalogue& c, const char* code) {
    std::vector<const LabelSheet*> found;
    for (const LabelSheet& s : c.sheets())
        if (s.codes.contains(QLatin1String(code), Qt::CaseInsensitive))
            found.push_back(&s);
    return found;
}

} // namespace

// Built-in sheets win over the databases; the user's templates are read, special files are
// not; two sources that disagree on a code are both kept, marked.
TEST(SheetCatalogue, MergesTheSourcesEachSheetOnce) {
    TempDir dir;
    ASSERT_TRUE(QDir(dir.path(QString())).mkpath(QStringLiteral("data/libglabels-3.0/templates")));
    ASSERT_TRUE(QDir(dir.path(QString())).mkpath(QStringLiteral("user")));
    // The database's L7160 is wrong; its "Q1" disagrees with the user's, "Q2" agrees.
    dir.write(QStringLiteral("data/libglabels-3.0/templates/a-templates.xml"),
              file(templateOf("Avery", "L7160", "0.5mm", "7.21mm") +
                   templateOf("Acme", "Q1", "63.5mm", "7.21mm") +
                   templateOf("Acme", "Q2", "63.5mm", "7.21mm")));
    dir.write(QStringLiteral("data/libglabels-3.0/templates/broken-templates.xml"), "<Glab");
    dir.write(QStringLiteral("user/mine.template"),
              file(templateOf("Acme", "Q1", "63.5mm", "5mm") +
                   templateOf("Acme", "Q2", "63.5mm", "7.3mm") +
                   templateOf("Home", "H1", "63.5mm", "7mm")));
    ASSERT_EQ(
        ::mkfifo(dir.path(QStringLiteral("user/pipe.template")).toLocal8Bit().constData(), 0600),
        0);
    ASSERT_TRUE(QDir(dir.path(QString())).mkpath(QStringLiteral("user/folder.template")));

    SheetCatalogue::Places places;
    // The same folder twice is read once.
    places.dataDirs = {dir.path(QStringLiteral("data")), dir.path(QStringLiteral("data/"))};
    places.userTemplates = dir.path(QStringLiteral("user"));
    const SheetCatalogue c = SheetCatalogue::load(places);

    const std::size_t builtIn = SheetLibrary::builtIn().sheets.size();
    EXPECT_EQ(c.count(LabelSheet::Origin::BuiltIn), static_cast<int>(builtIn));
    EXPECT_EQ(c.count(LabelSheet::Origin::UserGLabels), 3);
    EXPECT_EQ(c.count(LabelSheet::Origin::GLabels), 1); // Q1 only
    EXPECT_EQ(c.sheets().size(), builtIn + 4);

    const auto l7160 = withCode(c, "L7160");
    ASSERT_EQ(l7160.size(), 1u);
    EXPECT_EQ(l7160[0]->origin, LabelSheet::Origin::BuiltIn);
    EXPECT_NEAR(l7160[0]->width, 63.5, 1e-9);

    const auto q1 = withCode(c, "Q1");
    ASSERT_EQ(q1.size(), 2u);
    EXPECT_EQ(q1[0]->origin, LabelSheet::Origin::UserGLabels);
    EXPECT_EQ(q1[1]->origin, LabelSheet::Origin::GLabels);
    EXPECT_TRUE(q1[0]->disputed);
    EXPECT_TRUE(q1[1]->disputed);
    const auto q2 = withCode(c, "Q2");
    ASSERT_EQ(q2.size(), 1u);
    EXPECT_FALSE(q2[0]->disputed);
    EXPECT_EQ(withCode(c, "H1").size(), 1u);

    // The broken file is reported by name; the pipe and the folder are not read at all.
    ASSERT_EQ(c.problems().size(), 1) << c.problems().join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(c.problems()[0].startsWith(QStringLiteral("broken-templates.xml: not readable")));

    // Nothing installed: the built-in library alone.
    const SheetCatalogue none = SheetCatalogue::load(
        {{dir.path(QStringLiteral("nowhere"))}, dir.path(QStringLiteral("nowhere"))});
    EXPECT_EQ(none.sheets().size(), builtIn);
    EXPECT_TRUE(none.problems().isEmpty());
}

// Every code the built-in library shares with an installed database has the same paper and
// eight figures within 0.2 mm, unless the built-in sheet's note says which source is wrong.
TEST(SheetCatalogue, CrossCheckWithTheInstalledDatabases) {
    SheetCatalogue::Places places = SheetCatalogue::Places::standard();
    places.userTemplates.clear(); // the machine's, not this user's
    const SheetCatalogue c = SheetCatalogue::load(places);
    if (c.count(LabelSheet::Origin::GLabels) == 0)
        GTEST_SKIP() << "gLabels' templates (package glabels-data) are not installed";

    QHash<QString, const LabelSheet*> builtIn;
    for (const LabelSheet& s : SheetLibrary::builtIn().sheets)
        for (const QString& code : s.codes)
            builtIn.insert(SheetCatalogue::keyOf(s, code), &s);

    int shared = 0, disagreements = 0, explained = 0;
    // The databases' own sheets, before the built-in library takes their codes.
    const std::vector<LabelSheet> raw = SheetCatalogue::databaseSheets(places);
    for (const LabelSheet& d : raw) {
        const LabelSheet* ours = builtIn.value(SheetCatalogue::keyOf(d, d.code()));
        if (ours == nullptr)
            continue;
        ++shared;
        if (SheetCatalogue::agree(*ours, d))
            continue;
        ++disagreements;
        if (!ours->note.isEmpty()) {
            ++explained;
            continue;
        }
        ADD_FAILURE() << d.maker.toStdString() << " " << d.code().toStdString() << " ("
                      << d.source.toStdString() << ") differs from the built-in "
                      << ours->family.toStdString() << ": " << d.family.toStdString() << ", left "
                      << d.left << ", top " << d.top << ", pitch " << d.hpitch << " x " << d.vpitch;
    }
    std::printf("sheets: %d built in, %d gLabels, %d LibreOffice; %zu database sheets share "
                "%d codes with the built-in library, %d disagree (%d explained by a note); "
                "%d templates skipped\n",
                c.count(LabelSheet::Origin::BuiltIn), c.count(LabelSheet::Origin::GLabels),
                c.count(LabelSheet::Origin::LibreOffice), raw.size(), shared, disagreements,
                explained, c.skipped().total());
}
