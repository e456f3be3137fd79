#include "labels/SheetLibrary.h"
#include "labels/DimensionValues.h"

#include <QRegularExpression>
#include <QSet>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>

namespace {

const std::vector<LabelSheet>& library() {
    const SheetLibrary::LoadResult& loaded = SheetLibrary::builtIn();
    EXPECT_TRUE(loaded.ok()) << loaded.error.toStdString();
    return loaded.sheets;
}

std::string name(const LabelSheet& s) {
    return s.title().toStdString();
}

} // namespace

// Checked here from the raw figures, not through the library's own check, so a fault in
// either shows.
TEST(SheetLibrary, EverySheetIsPhysicallyPossible) {
    const auto& sheets = library();
    ASSERT_FALSE(sheets.empty());
    constexpr double eps = 1e-6;
    for (const LabelSheet& s : sheets) {
        SCOPED_TRACE(name(s));
        EXPECT_FALSE(s.source.isEmpty());
        EXPECT_GE(s.across, 1);
        EXPECT_GE(s.down, 1);
        EXPECT_GT(s.width, 0);
        EXPECT_GT(s.height, 0);
        EXPECT_GE(s.left, 0);
        EXPECT_GE(s.top, 0);
        if (s.across > 1) {
            EXPECT_GE(s.hpitch + eps, s.width) << "labels overlap across";
        }
        if (s.down > 1) {
            EXPECT_GE(s.vpitch + eps, s.height) << "labels overlap down";
        }
        const QSizeF paper = LabelSheet::paperSize(s.paper);
        EXPECT_LE(s.left + (s.across - 1) * s.hpitch + s.width, paper.width() + eps);
        EXPECT_LE(s.top + (s.down - 1) * s.vpitch + s.height, paper.height() + eps);

        // The program's geometry puts every label where it is published, and the Dimensions
        // page takes it unchanged.
        const SheetGeometry g = s.toGeometry();
        EXPECT_EQ(g.labelsAcross, s.across);
        EXPECT_EQ(g.labelsDown, s.down);
        EXPECT_NEAR(g.labelWidth / 10.0, s.width, 0.1 + eps);
        EXPECT_NEAR(g.labelHeight / 10.0, s.height, 0.1 + eps);
        EXPECT_NEAR(g.sideMargin / 10.0, s.left, 0.1 + eps);
        EXPECT_NEAR(g.topMargin / 10.0, s.top, 0.1 + eps);
        if (s.across > 1) {
            EXPECT_NEAR((g.labelWidth + g.verticalGutter) / 10.0, s.hpitch, 0.1 + eps);
        }
        if (s.down > 1) {
            EXPECT_NEAR((g.labelHeight + g.horizontalGutter) / 10.0, s.vpitch, 0.1 + eps);
        }
        for (int c = 0; c < s.across; ++c)
            EXPECT_NEAR((g.sideMargin + c * (g.labelWidth + g.verticalGutter)) / 10.0,
                        s.left + c * s.hpitch, 0.2 + eps)
                << "column " << c;
        for (int r = 0; r < s.down; ++r)
            EXPECT_NEAR((g.topMargin + r * (g.labelHeight + g.horizontalGutter)) / 10.0,
                        s.top + r * s.vpitch, 0.2 + eps)
                << "row " << r;
        EXPECT_EQ(DimensionValues::fromGeometry(g).toGeometry(), g);
        EXPECT_LE(g.sideMargin, 1000);
        EXPECT_LE(g.topMargin, 1000);
        EXPECT_LE(g.verticalGutter, 1000);
        EXPECT_LE(g.horizontalGutter, 1000);
        EXPECT_LE(g.labelsAcross, DimensionLimits::kMaxAcross);
        EXPECT_LE(g.labelsDown, DimensionLimits::kMaxDown);
        EXPECT_TRUE(s.problems().isEmpty())
            << s.problems().join(QStringLiteral("; ")).toStdString();
    }
}

// --sheet CODE must name one sheet.
TEST(SheetLibrary, EveryCodeNamesOneSheet) {
    QSet<QString> seen;
    for (const LabelSheet& s : library())
        for (const QString& code : s.codes) {
            EXPECT_FALSE(seen.contains(code.toUpper())) << code.toStdString();
            seen.insert(code.toUpper());
        }
}

// Typed by hand from the makers' published figures. Where a figure falls between tenths
// the gap is the one that keeps the last column within a tenth (5160: 3.1, not 3.2 mm).
TEST(SheetLibrary, KnownSheetsConvertAsPublished) {
    struct Case {
        const char* code;
        SheetGeometry expected; // top, side, width, height, column gap, row gap, across, down
        LabelSheet::Paper paper;
    };
    const Case cases[] = {
        {"L7160", {152, 72, 635, 381, 25, 0, 3, 7}, LabelSheet::Paper::A4},
        {"J8163", {152, 47, 991, 381, 25, 0, 2, 7}, LabelSheet::Paper::A4},
        {"L7165", {131, 47, 991, 677, 25, 0, 2, 4}, LabelSheet::Paper::A4},
        {"L7651", {107, 48, 381, 212, 25, 0, 5, 13}, LabelSheet::Paper::A4},
        {"3475", {45, 0, 700, 360, 0, 0, 3, 8}, LabelSheet::Paper::A4},
        {"5160", {127, 48, 667, 254, 31, 0, 3, 10}, LabelSheet::Paper::Letter},
        {"8163", {127, 40, 1016, 508, 47, 0, 2, 5}, LabelSheet::Paper::Letter},
    };
    for (const Case& c : cases) {
        const LabelSheet* s = SheetLibrary::byCode(library(), QString::fromLatin1(c.code));
        ASSERT_NE(s, nullptr) << c.code;
        EXPECT_EQ(s->toGeometry(), c.expected) << c.code;
        EXPECT_EQ(s->paper, c.paper) << c.code;
    }
    EXPECT_EQ(SheetLibrary::byCode(library(), QStringLiteral("l7160"))->labelName(),
              QStringLiteral("L7160 \u2014 63.5 \u00d7 38.1 mm, 3 \u00d7 7"));
    EXPECT_EQ(SheetLibrary::byCode(library(), QStringLiteral("3475"))->labelName(),
              QStringLiteral("3475 \u2014 70 \u00d7 36 mm, 3 \u00d7 8"));
    EXPECT_EQ(SheetLibrary::byCode(library(), QStringLiteral("no such code")), nullptr);
}

// Each search is checked against the library itself: what it must find, and that all it
// finds fits.
TEST(SheetLibrary, SearchesByCodeLayoutCountAndPaper) {
    using Paper = LabelSheet::Paper;
    struct Case {
        const char* text;
        std::optional<Paper> paper;
        std::function<bool(const LabelSheet&)> fits;
    };
    auto hasCode = [](const char* prefix) {
        return [prefix](const LabelSheet& s) {
            for (const QString& c : s.codes)
                if (c.startsWith(QLatin1String(prefix), Qt::CaseInsensitive))
                    return true;
            return false;
        };
    };
    auto layout = [](int across, int down) {
        return [=](const LabelSheet& s) { return s.across == across && s.down == down; };
    };
    const Case cases[] = {
        {"L7160", {}, hasCode("L7160")},
        {"l716", {}, hasCode("L716")},
        {"5160", {}, hasCode("5160")}, // not 15160 or 45160
        {"3 x 7", {}, layout(3, 7)},
        {"3x7", Paper::A4, layout(3, 7)},
        {"3 × 7", {}, layout(3, 7)},
        {"30 per sheet", {}, [](const LabelSheet& s) { return s.perSheet() == 30; }},
        {"30-up", Paper::Letter, [](const LabelSheet& s) { return s.perSheet() == 30; }},
        {"63,5 x 38,1",
         {},
         [](const LabelSheet& s) { return s.width == 63.5 && s.height == 38.1; }},
        {"clear 2 x 7",
         {},
         [](const LabelSheet& s) {
             return s.across == 2 && s.down == 7 && s.description.contains(QLatin1String("Clear"));
         }},
        {"", Paper::Letter, [](const LabelSheet&) { return true; }},
        {"avery zweckform",
         {},
         [](const LabelSheet& s) { return s.maker == QLatin1String("Avery Zweckform"); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const auto found = SheetLibrary::find(library(), QString::fromUtf8(c.text), c.paper);
        EXPECT_FALSE(found.empty());
        std::size_t expected = 0;
        for (const LabelSheet& s : library())
            expected += c.fits(s) && (!c.paper || s.paper == *c.paper);
        EXPECT_EQ(found.size(), expected);
        for (const LabelSheet* s : found) {
            EXPECT_TRUE(c.fits(*s)) << name(*s);
            if (c.paper) {
                EXPECT_EQ(s->paper, *c.paper) << name(*s);
            }
        }
    }
    EXPECT_TRUE(SheetLibrary::find(library(), QStringLiteral("zzz")).empty());
    EXPECT_TRUE(SheetLibrary::find(library(), QStringLiteral("3 x 7"), Paper::Letter).empty());
}

// The families the library is meant to cover, by paper and layout.
TEST(SheetLibrary, CoversTheCommonAddressFamilies) {
    using Paper = LabelSheet::Paper;
    const std::pair<Paper, const char*> families[] = {
        {Paper::A4, "2 x 7"},      {Paper::A4, "2 x 8"},      {Paper::A4, "3 x 7"},
        {Paper::A4, "3 x 8"},      {Paper::A4, "2 x 4"},      {Paper::A4, "2 x 5"},
        {Paper::A4, "2 x 6"},      {Paper::A4, "3 x 6"},      {Paper::A4, "4 x 10"},
        {Paper::A4, "5 x 13"},     {Paper::Letter, "3 x 10"}, {Paper::Letter, "2 x 10"},
        {Paper::Letter, "2 x 7"},  {Paper::Letter, "2 x 5"},  {Paper::Letter, "2 x 3"},
        {Paper::Letter, "4 x 20"},
    };
    for (const auto& [paper, layout] : families)
        EXPECT_FALSE(SheetLibrary::find(library(), QLatin1String(layout), paper).empty())
            << LabelSheet::paperName(paper).toStdString() << " " << layout;
}

TEST(SheetLibrary, RefusesDataThatCannotBeRight) {
    const QByteArray good = R"({"families": [{"name": "F", "source": "S", "unit": "mm",
        "paper": "A4", "width": 63.5, "height": 38.1, "hpitch": 66.04, "vpitch": 38.1,
        "left": 7.21, "top": 15.15, "across": 3, "down": 7,
        "sheets": [{"maker": "M", "codes": ["C1"], "description": "D"}]}]})";
    const SheetLibrary::LoadResult ok = SheetLibrary::parse(good);
    ASSERT_TRUE(ok.ok()) << ok.error.toStdString();
    ASSERT_EQ(ok.sheets.size(), 1u);
    EXPECT_EQ(ok.sheets[0].toGeometry(), (SheetGeometry{152, 72, 635, 381, 25, 0, 3, 7}));

    struct Case {
        const char* from;
        const char* to;
        const char* message; // part of the error
    };
    const Case cases[] = {
        {"\"families\"", "\"familes\"", "no list of families"},
        {"63.5,", "\"63.5\",", "width is missing or not a number"},
        {"\"across\": 3", "\"across\": 3.5", "across is missing"},
        {"\"hpitch\": 66.04", "\"hpitch\": 60", "labels overlap across"},
        {"\"top\": 15.15", "\"top\": 31", "the last row ends at"},
        {"\"left\": 7.21", "\"left\": -1", "a margin is negative"},
        {"\"across\": 3", "\"across\": 0", "it has no labels"},
        {"\"unit\": \"mm\"", "\"unit\": \"cm\"", "unit must be mm or in"},
        {"\"paper\": \"A4\"", "\"paper\": \"A5\"", "paper must be A4 or Letter"},
        {"[\"C1\"]", "[]", "a sheet needs a maker and a code"},
        {"\"vpitch\": 38.1", "\"vpitch\": 38.15", "row 7 lands"},
        {"}]}]}", "}]", "not readable JSON"},
    };
    for (const Case& c : cases) {
        QByteArray bad = good;
        bad.replace(c.from, c.to);
        ASSERT_NE(bad, good) << c.from;
        const SheetLibrary::LoadResult r = SheetLibrary::parse(bad);
        EXPECT_FALSE(r.ok()) << c.to;
        EXPECT_TRUE(r.sheets.empty()) << c.to;
        EXPECT_TRUE(r.error.contains(QLatin1String(c.message)))
            << c.to << ": " << r.error.toStdString();
    }

    // Inches are converted at 25.4 mm.
    QByteArray inches = good;
    inches.replace("\"unit\": \"mm\"", "\"unit\": \"in\"")
        .replace("\"paper\": \"A4\"", "\"paper\": \"Letter\"")
        .replace("63.5", "2.625")
        .replace("38.1,", "1,")
        .replace("66.04", "2.75")
        .replace("38.1", "1")
        .replace("7.21", "0.1875")
        .replace("15.15", "0.5")
        .replace("\"down\": 7", "\"down\": 10");
    const SheetLibrary::LoadResult r = SheetLibrary::parse(inches);
    ASSERT_TRUE(r.ok()) << r.error.toStdString();
    EXPECT_NEAR(r.sheets[0].width, 66.675, 1e-9);
    EXPECT_NEAR(r.sheets[0].top, 12.7, 1e-9);
}

// Codes that once sat on another sheet's layout, each checked against its maker's layout.
TEST(SheetLibrary, CodesSitOnTheirOwnLayouts) {
    constexpr double in = 25.4;
    struct Case {
        const char* code;
        LabelSheet::Paper paper;
        int across, down;
        double width, height, hpitch, left; // mm
    };
    using P = LabelSheet::Paper;
    const Case cases[] = {
        {"OL75", P::Letter, 2, 10, 4 * in, 1 * in, 4.1875 * in, 0.15625 * in},
        {"OL100", P::Letter, 2, 7, 4 * in, 1.333333 * in, 4.1875 * in, 0.15625 * in},
        {"OL125", P::Letter, 2, 5, 4 * in, 2 * in, 4.1875 * in, 0.15625 * in},
        {"OL150", P::Letter, 2, 3, 4 * in, 3.333333 * in, 4.1875 * in, 0.15625 * in},
        {"5663", P::Letter, 2, 5, 4.25 * in, 2 * in, 4.25 * in, 0},
        {"8663", P::Letter, 2, 5, 4 * in, 2 * in, 4.1875 * in, 0.15625 * in},
        {"3651", P::A4, 4, 10, 52.5, 29.7, 52.5, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        const LabelSheet* s = SheetLibrary::byCode(library(), QLatin1String(c.code));
        ASSERT_NE(s, nullptr);
        EXPECT_EQ(s->paper, c.paper);
        EXPECT_EQ(s->across, c.across);
        EXPECT_EQ(s->down, c.down);
        EXPECT_NEAR(s->width, c.width, 1e-3);
        EXPECT_NEAR(s->height, c.height, 1e-3);
        EXPECT_NEAR(s->hpitch, c.hpitch, 1e-3);
        EXPECT_NEAR(s->left, c.left, 1e-3);
    }
    // A full-sheet label, and a sheet whose layout is disputed: neither is known well enough.
    EXPECT_EQ(SheetLibrary::byCode(library(), QStringLiteral("OL175")), nullptr);
    EXPECT_EQ(SheetLibrary::byCode(library(), QStringLiteral("3483")), nullptr);
}

namespace {

// "3 1/2" or "29.7" as a number.
double lengthOf(const QString& text) {
    double value = 0;
    for (const QString& part : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const auto fraction = part.split(QLatin1Char('/'));
        value += fraction.size() == 2 ? fraction[0].toDouble() / fraction[1].toDouble()
                                      : part.toDouble();
    }
    return value;
}

} // namespace

// A family's name ("2 x 2, 3 1/2 x 5 in") is what the picker and --list-sheets show: it
// names the layout across by down and the label width by height, as the figures give them.
TEST(SheetLibrary, FamilyNamesMatchTheirFigures) {
    const QRegularExpression re(
        QStringLiteral("^(\\d+) x (\\d+), ([\\d./ ]+) x ([\\d./ ]+) (mm|in)$"));
    for (const LabelSheet& s : library()) {
        SCOPED_TRACE(s.family.toStdString());
        const auto m = re.match(s.family);
        ASSERT_TRUE(m.hasMatch());
        EXPECT_EQ(m.captured(1).toInt(), s.across);
        EXPECT_EQ(m.captured(2).toInt(), s.down);
        const double unit = m.captured(5) == QLatin1String("in") ? 25.4 : 1.0;
        EXPECT_NEAR(lengthOf(m.captured(3)) * unit, s.width, 0.01);
        EXPECT_NEAR(lengthOf(m.captured(4)) * unit, s.height, 0.01);
    }
}

// A single column or row has no gutter; one of 0.1 mm would show on the Dimensions page.
TEST(SheetLibrary, SingleColumnsAndRowsHaveNoGutter) {
    int checked = 0;
    for (const LabelSheet& s : library()) {
        const SheetGeometry g = s.toGeometry();
        if (s.across == 1) {
            EXPECT_EQ(g.verticalGutter, 0) << name(s);
            ++checked;
        }
        if (s.down == 1) {
            EXPECT_EQ(g.horizontalGutter, 0) << name(s);
            ++checked;
        }
    }
    EXPECT_GT(checked, 0);
}

// Inch figures keep the hundredth they need: 1 3/4 in is 44.45 mm.
TEST(SheetLibrary, FiguresShowTheHundredthsTheyNeed) {
    const std::pair<double, const char*> cases[] = {
        {1.75 * 25.4, "44.45"}, {0.5 * 25.4, "12.7"},      {63.5, "63.5"},
        {70.0, "70"},           {4.0 / 3 * 25.4, "33.87"},
    };
    for (const auto& [mm, text] : cases)
        EXPECT_EQ(LabelSheet::figure(mm), QLatin1String(text)) << mm;
    EXPECT_EQ(SheetLibrary::byCode(library(), QStringLiteral("5167"))->labelName(),
              QStringLiteral("5167 \u2014 44.45 \u00d7 12.7 mm, 4 \u00d7 20"));
}

// What the program itself shows, and what is printed on the box, finds the sheet.
TEST(SheetLibrary, FindsTheTextsShownAndPackCodes) {
    struct Case {
        const char* text;
        const char* code; // a sheet that must be found
        bool first;       // and come first
    };
    const Case cases[] = {
        {"8160", "8160", true},
        {"8161", "8161", true},
        {"8163", "8163", true},
        {"8168", "8168", true},
        {"L7160-100", "L7160", true},
        {"J8160-25", "L7160", true},
        {"3 x 7, 63.5 x 38.1 mm", "L7160", false},
        {"L7160 / J8160", "L7160", true},
        {"1 3/4 x 1/2 in", "5167", false},
        {"1\" x 2-5/8\"", "5160", false},
        {"2 5/8\" x 1\"", "5160", false},
        {"44.45 x 12.7", "5167", false},
        {"4 x 1.33", "5162", false},
        {"52,5 x 29,7", "3651", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const auto found = SheetLibrary::find(library(), QString::fromUtf8(c.text));
        const LabelSheet* wanted = SheetLibrary::byCode(library(), QLatin1String(c.code));
        ASSERT_NE(wanted, nullptr);
        ASSERT_FALSE(found.empty());
        EXPECT_NE(std::find(found.begin(), found.end(), wanted), found.end());
        if (c.first) {
            EXPECT_EQ(found.front(), wanted) << name(*found.front());
        }
    }
    // Sizes match by value, not by any digits: 4 x 1.33 in is not 4 x 1 in.
    for (const LabelSheet* s : SheetLibrary::find(library(), QStringLiteral("4 x 1.33")))
        EXPECT_NEAR(s->height, 1.3333 * 25.4, 0.3) << name(*s);
    EXPECT_EQ(SheetLibrary::byCode(library(), QStringLiteral("l7160-100"))->code(),
              QStringLiteral("L7160"));
    EXPECT_EQ(SheetLibrary::byCode(library(), QStringLiteral("L7160-")), nullptr);
    EXPECT_EQ(SheetLibrary::byCode(library(), QStringLiteral("5160-")), nullptr);
}
