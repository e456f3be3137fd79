// quillmark-print with library sheets and a printer offset, checked in the PDF it writes.
#include "TempDir.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QXmlStreamReader>
#include <gtest/gtest.h>
#include <map>
#include <sys/stat.h>

namespace {

const QString kTool = QStringLiteral(QM_BUILD_DIR "/quillmark-print");
constexpr double kMmPerPoint = 25.4 / 72.0;

struct ToolResult {
    int exitCode = -1;
    QString out, err;
};

ToolResult run(const QStringList& args, const QString& home = {}) {
    QProcess p;
    auto env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    if (!home.isEmpty())
        env.insert(QStringLiteral("HOME"), home);
    p.setProcessEnvironment(env);
    p.start(kTool, args);
    EXPECT_TRUE(p.waitForFinished(60000));
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromLocal8Bit(p.readAllStandardOutput()),
            QString::fromLocal8Bit(p.readAllStandardError())};
}

struct Word {
    int page;
    double x, y; // top-left corner in millimetres from the paper's corner
};

// Each word of the PDF by its text; the labels' texts are all different.
std::map<QString, Word> wordsOf(const QString& pdf) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    EXPECT_TRUE(p.waitForFinished(60000));
    QXmlStreamReader xml(p.readAllStandardOutput());
    std::map<QString, Word> words;
    int page = 0;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("page")) {
            ++page;
        } else if (xml.name() == QLatin1String("word")) {
            const auto a = xml.attributes();
            const Word w{page, a.value(QLatin1String("xMin")).toDouble() * kMmPerPoint,
                         a.value(QLatin1String("yMin")).toDouble() * kMmPerPoint};
            words[xml.readElementText()] = w;
        }
    }
    return words;
}

QString pageSizeOf(const QString& pdf) {
    QProcess p;
    p.start(QStringLiteral("pdfinfo"), {pdf});
    p.waitForFinished(60000);
    const auto m = QRegularExpression(QStringLiteral("Page size:\\s+([\\d.]+ x [\\d.]+)"))
                       .match(QString::fromLatin1(p.readAllStandardOutput()));
    return m.captured(1);
}

bool havePdfTools() {
    return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty() &&
           !QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty();
}

// count one-word labels "Wk", left-aligned without a text margin, so that each word starts
// at its label's left edge.
QString printLabels(const TempDir& dir, int count, const QStringList& args, const QString& name) {
    QStringList labels;
    for (int k = 1; k <= count; ++k)
        labels << QStringLiteral("W%1").arg(k);
    const QString input =
        dir.write(QStringLiteral("labels.txt"), labels.join(QStringLiteral("\n\n")).toUtf8());
    const QString pdf = dir.path(name);
    const ToolResult r =
        run(QStringList{input, QStringLiteral("-o"), pdf, QStringLiteral("--alignment"),
                        QStringLiteral("left"), QStringLiteral("--margin"), QStringLiteral("0")} +
            args);
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    return pdf;
}

} // namespace

// As a new user would: L7160, 30 labels from position 5. Every label must start where the
// published sheet has it (left 7.21 mm, pitch 66.04 mm across; top 15.15 mm, 38.1 mm down).
TEST(QuillmarkPrintSheets, L7160FromPositionFiveMatchesThePublishedSheet) {
    if (!havePdfTools())
        GTEST_SKIP() << "pdftotext is not installed";
    TempDir dir;
    const QString pdf = printLabels(dir, 30,
                                    {QStringLiteral("--sheet"), QStringLiteral("L7160"),
                                     QStringLiteral("--first"), QStringLiteral("5")},
                                    QStringLiteral("l7160.pdf"));
    EXPECT_EQ(pageSizeOf(pdf), QStringLiteral("595 x 842")); // A4
    const auto words = wordsOf(pdf);
    ASSERT_EQ(words.size(), 30u);
    // The text sits a font-dependent distance below its label's top; the same for all.
    const double textDrop = words.at(QStringLiteral("W1")).y - (15.15 + 1 * 38.1);
    EXPECT_GE(textDrop, -0.2);
    for (int k = 1; k <= 30; ++k) {
        const int slot = 4 + k - 1; // positions from 5, 21 to a sheet
        const int c = (slot % 21) % 3, r = (slot % 21) / 3;
        const Word& w = words.at(QStringLiteral("W%1").arg(k));
        SCOPED_TRACE("label " + std::to_string(k));
        EXPECT_EQ(w.page, slot / 21 + 1);
        EXPECT_NEAR(w.x, 7.21 + c * 66.04, 0.2);
        EXPECT_NEAR(w.y - textDrop, 15.15 + r * 38.1, 0.2);
    }
}

// A US Letter sheet brings its paper along; the offset moves every word by exactly itself.
TEST(QuillmarkPrintSheets, OffsetMovesEveryLabelByItself) {
    if (!havePdfTools())
        GTEST_SKIP() << "pdftotext is not installed";
    TempDir dir;
    const QStringList sheet{QStringLiteral("--sheet"), QStringLiteral("5160")};
    const QString plain = printLabels(dir, 35, sheet, QStringLiteral("plain.pdf"));
    const QString moved = printLabels(
        dir, 35, sheet + QStringList{QStringLiteral("--offset"), QStringLiteral("1.5,-0.7")},
        QStringLiteral("moved.pdf"));
    EXPECT_EQ(pageSizeOf(plain), QStringLiteral("612 x 792"));
    const auto before = wordsOf(plain);
    const auto after = wordsOf(moved);
    ASSERT_EQ(before.size(), 35u);
    ASSERT_EQ(after.size(), 35u);
    for (const auto& [text, w] : before) {
        SCOPED_TRACE(text.toStdString());
        const Word& m = after.at(text);
        EXPECT_EQ(m.page, w.page);
        // One device unit at 600 per inch is 0.042 mm.
        EXPECT_NEAR(m.x - w.x, 1.5, 0.05);
        EXPECT_NEAR(m.y - w.y, -0.7, 0.05);
    }
}

TEST(QuillmarkPrintSheets, ListsSheetsAndRefusesWhatItCannotUse) {
    TempDir dir;
    const QString input = dir.write(QStringLiteral("one.txt"), "Someone\n");
    const QString pdf = dir.path(QStringLiteral("out.pdf"));
    struct Case {
        QStringList args;
        int exitCode;
        const char* out; // a line the output starts with, or ""
        const char* err; // part of the message, or ""
    };
    const Case cases[] = {
        {{QStringLiteral("--list-sheets"), QStringLiteral("L7160")},
         0,
         "L7160 / J8160\tAvery\t3 x 7, 63.5 x 38.1 mm\t21 per sheet\tA4\tAddress labels\t"
         "built in\n",
         ""},
        // A code typed exactly comes first; a pack's code finds its sheet.
        {{QStringLiteral("--list-sheets"), QStringLiteral("8160")},
         0,
         "5160 / 8160\tAvery\t3 x 10, 2 5/8 x 1 in\t30 per sheet\tUS Letter",
         ""},
        {{QStringLiteral("--list-sheets"), QStringLiteral("J8160-25")}, 0, "L7160 / J8160\t", ""},
        {{QStringLiteral("--list-sheets"), QStringLiteral("OL125")},
         0,
         "OL125\tOnline Labels\t2 x 5, 4 x 2 in\t10 per sheet",
         ""},
        {{QStringLiteral("--list-sheets"), QStringLiteral("4"), QStringLiteral("x"),
          QStringLiteral("20")},
         0,
         "5167 / 8167\tAvery",
         ""},
        {{QStringLiteral("--list-sheets"), QStringLiteral("zzz")},
         1,
         "",
         "no sheet matches \"zzz\""},
        {{input, QStringLiteral("-o"), pdf, QStringLiteral("--sheet"), QStringLiteral("X9999")},
         2,
         "",
         "no sheet in the library has the code \"X9999\""},
        {{input, QStringLiteral("-o"), pdf, QStringLiteral("--sheet"), QStringLiteral("L7160"),
          QStringLiteral("--dim"), input},
         2,
         "",
         "give either --dim or --sheet"},
        {{input, QStringLiteral("-o"), pdf, QStringLiteral("--offset"), QStringLiteral("11,0")},
         2,
         "",
         "--offset must be two millimetre figures"},
        {{input, QStringLiteral("-o"), pdf, QStringLiteral("--offset"), QStringLiteral("1.5")},
         2,
         "",
         "--offset must be two millimetre figures"},
        {{input, QStringLiteral("-o"), pdf, QStringLiteral("--offset"), QStringLiteral("a,b")},
         2,
         "",
         "--offset must be two millimetre figures"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.join(QLatin1Char(' ')).toStdString());
        const ToolResult r = run(c.args);
        EXPECT_EQ(r.exitCode, c.exitCode) << r.err.toStdString();
        if (*c.out != '\0') {
            EXPECT_TRUE(r.out.startsWith(QString::fromUtf8(c.out))) << r.out.toStdString();
        } else {
            EXPECT_TRUE(r.out.isEmpty()) << r.out.toStdString();
        }
        EXPECT_TRUE(r.err.contains(QString::fromUtf8(c.err))) << r.err.toStdString();
    }
    EXPECT_FALSE(QFile::exists(pdf)); // nothing refused wrote anything
}

// A template the user saved in gLabels is a sheet; a pipe among the templates is passed over
// without waiting on it.
TEST(QuillmarkPrintSheets, ListsTheUsersOwnGLabelsTemplates) {
    TempDir home;
    ASSERT_TRUE(QDir(home.path(QString())).mkpath(QStringLiteral(".config/libglabels/templates")));
    home.write(QStringLiteral(".config/libglabels/templates/mine.template"),
               R"(<?xml version="1.0"?><Glabels-templates>
  <Template brand="Homemade" part="HM-24" size="A4" description="Jam jar labels">
    <Label-rectangle id="0" width="64mm" height="33.8mm" round="1mm">
      <Layout nx="3" ny="8" x0="6mm" y0="13.3mm" dx="66mm" dy="33.8mm"/>
    </Label-rectangle>
  </Template></Glabels-templates>)");
    home.write(QStringLiteral(".config/libglabels/templates/broken.template"), "<Glabels-tem");
    const QByteArray fifo =
        home.path(QStringLiteral(".config/libglabels/templates/pipe.template")).toLocal8Bit();
    ASSERT_EQ(::mkfifo(fifo.constData(), 0600), 0);

    const ToolResult r =
        run({QStringLiteral("--list-sheets"), QStringLiteral("HM-24")}, home.path(QString()));
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    // The broken file is named; the pipe is not read.
    EXPECT_TRUE(
        r.err.contains(QStringLiteral("quillmark-print: broken.template: not readable XML")))
        << r.err.toStdString();
    EXPECT_FALSE(r.err.contains(QStringLiteral("pipe.template"))) << r.err.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("HM-24\tHomemade\t3 x 8, 64 x 33.8 mm\t24 per sheet\tA4\t"
                                    "Jam jar labels\tyour gLabels templates\n"));
    const ToolResult printed = run({home.write(QStringLiteral("one.txt"), "Someone\n"),
                                    QStringLiteral("-o"), home.path(QStringLiteral("out.pdf")),
                                    QStringLiteral("--sheet"), QStringLiteral("hm-24")},
                                   home.path(QString()));
    EXPECT_EQ(printed.exitCode, 0) << printed.err.toStdString();
}
