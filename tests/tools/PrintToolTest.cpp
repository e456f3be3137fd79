// quillmark-print end to end: the PDF it writes is read back with pdftotext, and every
// word must lie inside the rectangle of its label, measured from the paper's corner.
#include "Fifo.h"
#include "TempDir.h"

#include "app/LabelListFile.h"
#include "labels/DimFile.h"
#include "labels/LabelPreferences.h"
#include "labels/SheetGeometry.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QXmlStreamReader>
#include <gtest/gtest.h>
#include <map>

namespace {

const QString kTool = QStringLiteral(QM_BUILD_DIR "/quillmark-print");
constexpr double kPointsPerMm = 72.0 / 25.4;
constexpr double kTolerance = 1.0; // points: glyph boxes against label edges

struct ToolRun {
    int exitCode = -1;
    QString out, err;
};

ToolRun runTool(const QStringList& args) {
    QProcess p;
    auto env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    p.setProcessEnvironment(env);
    p.start(kTool, args);
    EXPECT_TRUE(p.waitForFinished(60000)) << "quillmark-print did not finish";
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromLocal8Bit(p.readAllStandardOutput()),
            QString::fromLocal8Bit(p.readAllStandardError())};
}

struct Word {
    int page;
    double xMin, yMin, xMax, yMax;
    QString text;
};

std::vector<Word> wordsOf(const QString& pdf) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    EXPECT_TRUE(p.waitForFinished(60000));
    QXmlStreamReader xml(p.readAllStandardOutput());
    std::vector<Word> words;
    int page = 0;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("page")) {
            ++page;
        } else if (xml.name() == QLatin1String("word")) {
            const auto a = xml.attributes();
            Word w{page,
                   a.value(QLatin1String("xMin")).toDouble(),
                   a.value(QLatin1String("yMin")).toDouble(),
                   a.value(QLatin1String("xMax")).toDouble(),
                   a.value(QLatin1String("yMax")).toDouble(),
                   {}};
            w.text = xml.readElementText();
            words.push_back(w);
        }
    }
    return words;
}

int pagesOf(const QString& pdf) {
    QProcess p;
    p.start(QStringLiteral("pdfinfo"), {pdf});
    p.waitForFinished(60000);
    const auto m = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)"))
                       .match(QString::fromLatin1(p.readAllStandardOutput()));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

// Label k's text: every word carries "Q<k>x" so that it can be traced back; some labels are
// long enough to be split or set small.
QString labelText(int k) {
    const QString id = QStringLiteral("Q%1x").arg(k);
    QStringList lines = {id + QStringLiteral("Name ") + id + QStringLiteral("Surname"),
                         id + QStringLiteral("12 ") + id + QStringLiteral("Street")};
    if (k % 3 == 0)
        lines << id + QStringLiteral("Town");
    if (k % 4 == 0)
        lines << id + QStringLiteral("Averyveryverylongwordwithoutanyblanks") + id +
                     QStringLiteral("Andmore");
    if (k % 5 == 0)
        for (int i = 0; i < 4; ++i)
            lines << id + QStringLiteral("Extra%1 ").arg(i) + id + QStringLiteral("Line");
    lines << id + QStringLiteral("POSTCODE");
    return lines.join(QLatin1Char('\n'));
}

QString writeLabels(const TempDir& dir, int count) {
    QStringList labels;
    for (int k = 1; k <= count; ++k)
        labels << labelText(k);
    return dir.write(QStringLiteral("labels.txt"),
                     (labels.join(QStringLiteral("\n\n")) + QLatin1Char('\n')).toUtf8());
}

struct Job {
    SheetGeometry geometry;
    int first;
    int count;
    QStringList extraArgs;
};

void checkWords(const QString& pdf, const Job& job);

// Prints a job and checks every word against its label's rectangle; returns the tool's
// standard output.
QString checkJob(const Job& job) {
    TempDir dir;
    const QString input = writeLabels(dir, job.count);
    const QString dim = dir.path(QStringLiteral("sheet.dim"));
    EXPECT_TRUE(DimFile::save(dim, job.geometry).ok());
    const QString pdf = dir.path(QStringLiteral("out.pdf"));
    const ToolRun run =
        runTool(QStringList{input, QStringLiteral("--dim"), dim, QStringLiteral("--first"),
                            QString::number(job.first), QStringLiteral("-o"), pdf} +
                job.extraArgs);
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    checkWords(pdf, job);
    return run.out;
}

// Checks that every word of the PDF lies inside its label's rectangle on the right page.
void checkWords(const QString& pdf, const Job& job) {
    const SheetGeometry& g = job.geometry;
    const int perSheet = g.labelsAcross * g.labelsDown;
    EXPECT_EQ(pagesOf(pdf), (job.count + job.first - 2) / perSheet + 1);
    const auto words = wordsOf(pdf);
    EXPECT_FALSE(words.empty());
    std::map<int, int> wordsPerLabel;
    const QRegularExpression id(QStringLiteral("^Q(\\d+)x"));
    for (const Word& w : words) {
        const auto m = id.match(w.text);
        EXPECT_TRUE(m.hasMatch()) << w.text.toStdString();
        if (!m.hasMatch())
            continue;
        const int k = m.captured(1).toInt();
        ++wordsPerLabel[k];
        const int slot = job.first - 1 + (k - 1); // counted over all sheets
        const int page = slot / perSheet + 1;
        const int position = slot % perSheet;
        const int c = position % g.labelsAcross;
        const int r = position / g.labelsAcross;
        const double left =
            (g.sideMargin + c * (g.labelWidth + g.verticalGutter)) / 10.0 * kPointsPerMm;
        const double top =
            (g.topMargin + r * (g.labelHeight + g.horizontalGutter)) / 10.0 * kPointsPerMm;
        const double right = left + g.labelWidth / 10.0 * kPointsPerMm;
        const double bottom = top + g.labelHeight / 10.0 * kPointsPerMm;
        const std::string what = w.text.toStdString() + " of label " + std::to_string(k);
        EXPECT_EQ(w.page, page) << what;
        EXPECT_GE(w.xMin, left - kTolerance) << what;
        EXPECT_LE(w.xMax, right + kTolerance) << what;
        EXPECT_GE(w.yMin, top - kTolerance) << what;
        EXPECT_LE(w.yMax, bottom + kTolerance) << what;
    }
    EXPECT_EQ(static_cast<int>(wordsPerLabel.size()), job.count) << "every label printed";
}

bool havePdfTools() {
    return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty() &&
           !QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty();
}

} // namespace

TEST(QuillmarkPrint, DefaultSheetFromPositionFive) {
    if (!havePdfTools())
        GTEST_SKIP() << "pdftotext is not installed";
    // 20 labels from position 5: 12 on the first sheet, 8 on the second.
    EXPECT_EQ(checkJob({SheetGeometry{}, 5, 20, {}}), QStringLiteral("9\n"));
}

TEST(QuillmarkPrint, ThreeAcrossWithGuttersAt300UnitsPerInch) {
    if (!havePdfTools())
        GTEST_SKIP() << "pdftotext is not installed";
    SheetGeometry g;
    g.topMargin = 151;
    g.sideMargin = 72;
    g.labelWidth = 635;
    g.labelHeight = 381;
    g.verticalGutter = 25;
    g.horizontalGutter = 20;
    g.labelsAcross = 3;
    g.labelsDown = 6;
    EXPECT_EQ(checkJob({g,
                        8,
                        25,
                        {QStringLiteral("--resolution"), QStringLiteral("300"),
                         QStringLiteral("--alignment"), QStringLiteral("Centre"),
                         QStringLiteral("--paper"), QStringLiteral("Letter")}}),
              QStringLiteral("15\n")); // (8 + 25 − 1) mod 18 + 1
}

TEST(QuillmarkPrint, TestSheetOutlinesEveryPosition) {
    TempDir dir;
    const QString pdf = dir.path(QStringLiteral("test.pdf"));
    const ToolRun run = runTool({QStringLiteral("--test-sheet"), QStringLiteral("-o"), pdf});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.isEmpty());
    if (havePdfTools()) {
        EXPECT_EQ(pagesOf(pdf), 1);
    }
}

TEST(QuillmarkPrint, FailuresLeaveTheOutputAlone) {
    TempDir dir;
    const QString pdf = dir.write(QStringLiteral("keep.pdf"), QByteArray("old content"));
    const QString missing = dir.path(QStringLiteral("missing.txt"));
    ToolRun run = runTool({missing, QStringLiteral("-o"), pdf});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("Can't open file: ") + missing +
                                 QStringLiteral(". Error = 2")))
        << run.err.toStdString();
    EXPECT_EQ(dir.read(QStringLiteral("keep.pdf")), QByteArray("old content"));

    const QString input = writeLabels(dir, 3);
    const QString noFolder = dir.path(QStringLiteral("no/such/out.pdf"));
    run = runTool({input, QStringLiteral("-o"), noFolder});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("Can't open file: ") + noFolder +
                                 QStringLiteral(". Error = 3")))
        << run.err.toStdString();

    const QString blank = dir.write(QStringLiteral("blank.txt"), QByteArray("\n \n\n"));
    run = runTool({blank, QStringLiteral("-o"), pdf});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("holds no labels"))) << run.err.toStdString();

    const QString shortDim = dir.write(QStringLiteral("short.dim"), QByteArray(4, '\0'));
    run = runTool({input, QStringLiteral("--dim"), shortDim, QStringLiteral("-o"), pdf});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("not a label dimensions file")));

    for (const QStringList& bad :
         {QStringList{QStringLiteral("--first"), QStringLiteral("17")},
          QStringList{QStringLiteral("--alignment"), QStringLiteral("diagonal")},
          QStringList{QStringLiteral("--colour"), QStringLiteral("#12345")},
          QStringList{QStringLiteral("--max-size"), QStringLiteral("7")},
          // The test sheet would be drawn for the default sheet, not the input's.
          QStringList{QStringLiteral("--test-sheet")}}) {
        run = runTool(QStringList{input, QStringLiteral("-o"), pdf} + bad);
        EXPECT_EQ(run.exitCode, 2) << bad.join(QLatin1Char(' ')).toStdString();
        EXPECT_FALSE(run.err.isEmpty());
    }
    EXPECT_EQ(dir.read(QStringLiteral("keep.pdf")), QByteArray("old content"));
}

// Inputs other than standard input are read only when they are regular files: a named pipe
// or a device is refused at once, as input and as sheet file.
TEST(QuillmarkPrint, PipesAndDevicesAreRefusedAtOnce) {
    TempDir dir;
    const QString pdf = dir.path(QStringLiteral("out.pdf"));
    const QString fifo = makeFifo(dir.path(QStringLiteral("pipe.csv")));
    ASSERT_FALSE(fifo.isEmpty());
    const QString input = writeLabels(dir, 3);
    for (const QStringList& args : {QStringList{fifo}, QStringList{QStringLiteral("/dev/zero")},
                                    QStringList{input, QStringLiteral("--dim"), fifo}}) {
        const ToolRun run = runTool(args + QStringList{QStringLiteral("-o"), pdf});
        EXPECT_EQ(run.exitCode, 1) << args.join(QLatin1Char(' ')).toStdString();
        EXPECT_TRUE(run.err.contains(QStringLiteral("Can't open file: ") + args.last() +
                                     QStringLiteral(". Error = 6")))
            << run.err.toStdString();
    }
    EXPECT_FALSE(QFile::exists(pdf));
}

// Excel's "Unicode Text" (UTF-16 with its mark, TAB-separated) is read as a delimited file
// when the delimited-file options are given; those options are a usage error for an input
// they cannot apply to.
TEST(QuillmarkPrint, UnicodeTextExportTakesTheDelimitedFileOptions) {
    if (!havePdfTools())
        GTEST_SKIP() << "pdftotext is not installed";
    TempDir dir;
    const QString txt = QStringLiteral(QM_TEST_DATA_DIR "/contacts/import/unicode_text.txt");
    const QString pdf = dir.path(QStringLiteral("out.pdf"));
    ToolRun run =
        runTool({txt, QStringLiteral("--columns"), QStringLiteral("1,3"),
                 QStringLiteral("--skip-rows"), QStringLiteral("1"), QStringLiteral("-o"), pdf});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, QStringLiteral("3\n"));
    QStringList words;
    for (const Word& w : wordsOf(pdf))
        words << w.text;
    EXPECT_EQ(words, (QStringList{QStringLiteral("J\u00FCrgen"), QStringLiteral("M\u00FCller"),
                                  QStringLiteral("K\u00F6ln"), QStringLiteral("Zo\u00EB"),
                                  QStringLiteral("Lee"), QStringLiteral("Caf\u00E9"),
                                  QStringLiteral("Row")}));

    // Without the options it is plain text, decoded: no byte-order mark, no zero bytes.
    run = runTool({txt, QStringLiteral("-o"), pdf});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    QString all;
    for (const Word& w : wordsOf(pdf))
        all += w.text;
    EXPECT_TRUE(all.startsWith(QStringLiteral("NameStreetTownJ\u00FCrgen"))) << all.toStdString();

    CSortStrArray labels;
    labels.Add("Ann");
    const QString lbl = dir.write(QStringLiteral("list.lbl"),
                                  LabelListFile::write(labels, LabelPreferences{}, "Arial"));
    const QString kept = dir.write(QStringLiteral("keep.pdf"), "old content");
    run = runTool(
        {lbl, QStringLiteral("--skip-rows"), QStringLiteral("1"), QStringLiteral("-o"), kept});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.err.contains(QStringLiteral("--columns, --skip-rows and --delimiter apply to "
                                                "delimited files only")))
        << run.err.toStdString();
    run = runTool({QStringLiteral("--test-sheet"), QStringLiteral("--columns"), QStringLiteral("1"),
                   QStringLiteral("-o"), kept});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(dir.read(QStringLiteral("keep.pdf")), QByteArray("old content"));
}

TEST(QuillmarkPrint, LabelListPrintsOnItsOwnSheet) {
    if (!havePdfTools())
        GTEST_SKIP() << "pdftotext is not installed";
    TempDir dir;
    LabelPreferences prefs;
    prefs.geometry = SheetGeometry{100, 60, 800, 380, 30, 10, 2, 7};
    CSortStrArray labels;
    for (int k = 1; k <= 9; ++k)
        labels.Add(labelText(k).replace(QLatin1Char('\n'), QStringLiteral("\r\n")).toStdString());
    const QString lbl = dir.write(QStringLiteral("list.lbl"),
                                  LabelListFile::write(labels, prefs, "Liberation Sans"));
    const QString pdf = dir.path(QStringLiteral("out.pdf"));
    const ToolRun run =
        runTool({lbl, QStringLiteral("--first"), QStringLiteral("11"), QStringLiteral("-o"), pdf});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, QStringLiteral("6\n")); // positions 11 to 14, then 1 to 5 of sheet 2
    checkWords(pdf, {prefs.geometry, 11, 9, {}});
}

TEST(QuillmarkPrint, ContactListGivesOneLabelPerContact) {
    if (!havePdfTools())
        GTEST_SKIP() << "pdftotext is not installed";
    TempDir dir;
    QByteArray file = "|QMK|\tCreated\twith\tQuillmark\r\n";
    for (int k = 1; k <= 4; ++k)
        file += labelText(k).replace(QLatin1Char('\n'), QLatin1Char('\t')).toUtf8() + "\r\n";
    const QString csv = dir.write(QStringLiteral("contacts.csv"), file);
    const QString pdf = dir.path(QStringLiteral("out.pdf"));
    const ToolRun run = runTool({csv, QStringLiteral("-o"), pdf});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, QStringLiteral("5\n"));
    checkWords(pdf, {SheetGeometry{}, 1, 4, {}});
}

TEST(QuillmarkPrint, ForeignDelimitedFileIsImportedByTheOptions) {
    if (!havePdfTools())
        GTEST_SKIP() << "pdftotext is not installed";
    TempDir dir;
    // A semicolon export with a heading row; the town comes first in the file.
    QByteArray file = "Town;Name;Street;Id\r\n";
    for (int k = 1; k <= 3; ++k) {
        const QString id = QStringLiteral("Q%1x").arg(k);
        file += (id + QStringLiteral("Town;") + id + QStringLiteral("Name;") + id +
                 QStringLiteral("Street;") + QString::number(k) + QStringLiteral("\r\n"))
                    .toUtf8();
    }
    const QString csv = dir.write(QStringLiteral("export.csv"), file);
    const QString pdf = dir.path(QStringLiteral("out.pdf"));
    const ToolRun run = runTool({csv, QStringLiteral("--skip-rows"), QStringLiteral("1"),
                                 QStringLiteral("--columns"), QStringLiteral("2,3,1"),
                                 QStringLiteral("--delimiter"), QStringLiteral("semicolon"),
                                 QStringLiteral("-o"), pdf});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, QStringLiteral("4\n"));
    checkWords(pdf, {SheetGeometry{}, 1, 3, {}});
    // The name line comes first on every label.
    const auto words = wordsOf(pdf);
    ASSERT_FALSE(words.empty());
    EXPECT_EQ(words.front().text, QStringLiteral("Q1xName"));

    // Without options it imports as the unchanged table would: the heading row is a label.
    const ToolRun plain = runTool({csv, QStringLiteral("-o"), pdf});
    ASSERT_EQ(plain.exitCode, 0) << plain.err.toStdString();
    EXPECT_EQ(plain.out, QStringLiteral("5\n"));

    for (const QStringList& bad :
         {QStringList{QStringLiteral("--columns"), QStringLiteral("2,x")},
          QStringList{QStringLiteral("--columns"), QStringLiteral("1,2,3,4,5,6,7,8,9")},
          QStringList{QStringLiteral("--skip-rows"), QStringLiteral("-1")},
          QStringList{QStringLiteral("--delimiter"), QStringLiteral("space")}}) {
        const ToolRun refused = runTool(QStringList{csv, QStringLiteral("-o"), pdf} + bad);
        EXPECT_EQ(refused.exitCode, 2) << bad.join(QLatin1Char(' ')).toStdString();
        EXPECT_FALSE(refused.err.isEmpty());
    }
    // A field the file does not have.
    const ToolRun missing =
        runTool({csv, QStringLiteral("--columns"), QStringLiteral("5"), QStringLiteral("-o"), pdf});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(missing.err.contains(QStringLiteral("there is no field 5")))
        << missing.err.toStdString();
}

TEST(QuillmarkPrint, LabelsThatDoNotFitAreListedAndStrictRefusesThem) {
    TempDir dir;
    // Label 2 is one word far too wide for a 99 mm label at any size.
    const QString input =
        dir.write(QStringLiteral("labels.txt"), QByteArray("Ann Smith\n1 High St\n\n") +
                                                    QByteArray(60, 'W') + "\n\nJo Ng\nBath\n");
    const QString pdf = dir.path(QStringLiteral("out.pdf"));
    const QString summary = QStringLiteral("1 label does not fit its label: 2.");

    const ToolRun strict = runTool({input, QStringLiteral("-o"), pdf, QStringLiteral("--strict")});
    EXPECT_EQ(strict.exitCode, 3);
    EXPECT_TRUE(strict.err.contains(summary)) << strict.err.toStdString();
    EXPECT_TRUE(strict.err.contains(QStringLiteral("label 2: "))) << strict.err.toStdString();
    EXPECT_TRUE(strict.out.isEmpty());
    EXPECT_FALSE(QFile::exists(pdf));

    const ToolRun plain = runTool({input, QStringLiteral("-o"), pdf});
    EXPECT_EQ(plain.exitCode, 0) << plain.err.toStdString();
    EXPECT_TRUE(plain.err.contains(summary)) << plain.err.toStdString();
    EXPECT_TRUE(QFile::exists(pdf));

    // Labels that fit pass --strict without a word.
    const QString fine =
        dir.write(QStringLiteral("fine.txt"), QByteArray("Ann Smith\n1 High St\n"));
    const ToolRun ok = runTool({fine, QStringLiteral("-o"), pdf, QStringLiteral("--strict")});
    EXPECT_EQ(ok.exitCode, 0);
    EXPECT_FALSE(ok.err.contains(QStringLiteral("fit"))) << ok.err.toStdString();
}

// A long job through a pipe or into a log: no progress lines, one summary line.
TEST(QuillmarkPrint, ProgressOnlyOnATerminalAndOneSummaryLine) {
    TempDir dir;
    const QString input = writeLabels(dir, 200); // 13 sheets of 16
    const QString pdf = dir.path(QStringLiteral("out.pdf"));
    const ToolRun piped = runTool({input, QStringLiteral("-o"), pdf});
    EXPECT_EQ(piped.exitCode, 0) << piped.err.toStdString();
    // Qt may add a warning of its own about the environment; the tool's lines are its own.
    const auto ownLines = [](const QString& err) {
        QStringList own;
        for (const QString& line : err.split(QLatin1Char('\n')))
            // The fit report of the labels (three here have nine lines) is not progress.
            if ((line.contains(QLatin1String("Page ")) ||
                 line.startsWith(QLatin1String("quillmark"))) &&
                !line.contains(QLatin1String("fit their label")))
                own << line;
        return own;
    };
    EXPECT_EQ(ownLines(piped.err),
              QStringList{QStringLiteral("quillmark-print: printed 200 labels on 13 sheets to ") +
                          pdf + QLatin1Char('.')});
    EXPECT_EQ(piped.out, QStringLiteral("9\n"));

    // On a terminal the progress line is rewritten in place and then gives way to the summary.
    if (QStandardPaths::findExecutable(QStringLiteral("script")).isEmpty())
        GTEST_SKIP() << "script is not installed";
    QProcess p;
    auto env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    p.setProcessEnvironment(env);
    const QString command = QStringLiteral("'%1' '%2' -o '%3' >/dev/null").arg(kTool, input, pdf);
    p.start(QStringLiteral("script"),
            {QStringLiteral("-qec"), command, QStringLiteral("/dev/null")});
    ASSERT_TRUE(p.waitForFinished(60000));
    const QString terminal = QString::fromLocal8Bit(p.readAllStandardOutput());
    EXPECT_TRUE(terminal.contains(QStringLiteral("\rPage 1 of 13\rPage 2 of 13")))
        << terminal.toStdString();
    EXPECT_EQ(terminal.count(QStringLiteral("Page ")), 13);
    // The progress and the summary share one line of the terminal.
    const QStringList lines = ownLines(terminal);
    ASSERT_EQ(lines.size(), 1) << terminal.toStdString();
    EXPECT_TRUE(lines[0].contains(QStringLiteral("\r\033[Kquillmark-print: printed 200 labels")))
        << terminal.toStdString();
}

// Positions are counted in 64 bits: a 65,535 x 65,535 sheet is refused with its real size
// instead of a negative range, and large sheets that fit give their true range.
TEST(QuillmarkPrint, HugeSheetsAreRefusedWithTheirRealSize) {
    struct Case {
        std::uint16_t across, down;
        int exitCode;
        QString message;
    } cases[] = {
        {65535, 65535, 1,
         QStringLiteral("the sheet has 4294836225 label positions (65535 across, 65535 down); "
                        "a sheet can hold at most 2147483647.")},
        {65535, 2, 2, QStringLiteral("--first must be a whole number from 1 to 131070")},
        {300, 300, 2, QStringLiteral("--first must be a whole number from 1 to 90000")},
    };
    TempDir dir;
    const QString input = writeLabels(dir, 3);
    const QString pdf = dir.write(QStringLiteral("keep.pdf"), QByteArray("old content"));
    for (const Case& c : cases) {
        SheetGeometry g = LabelPreferences{}.geometry;
        g.labelsAcross = c.across;
        g.labelsDown = c.down;
        const QString dim = dir.path(QStringLiteral("huge.dim"));
        ASSERT_TRUE(DimFile::save(dim, g).ok());
        const ToolRun run = runTool({input, QStringLiteral("--dim"), dim, QStringLiteral("--first"),
                                     QStringLiteral("0"), QStringLiteral("-o"), pdf});
        EXPECT_EQ(run.exitCode, c.exitCode) << c.across << "x" << c.down;
        EXPECT_TRUE(run.err.contains(c.message)) << run.err.toStdString();
    }
    EXPECT_EQ(dir.read(QStringLiteral("keep.pdf")), QByteArray("old content"));
}

TEST(QuillmarkPrint, VCardFileGivesOneLabelPerCard) {
    if (!havePdfTools())
        GTEST_SKIP() << "pdftotext is not installed";
    TempDir dir;
    QByteArray file;
    for (int k = 1; k <= 3; ++k) {
        const QByteArray id = "Q" + QByteArray::number(k) + "x";
        file += "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:" + id + "Name " + id + "Surname\r\nADR:;;" + id +
                "12 " + id + "Street;" + id + "Town;;" + id + "POSTCODE;\r\nEND:VCARD\r\n";
    }
    const QString vcf = dir.write(QStringLiteral("phone.vcf"), file);
    const QString pdf = dir.path(QStringLiteral("out.pdf"));
    const ToolRun run = runTool({vcf, QStringLiteral("-o"), pdf});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, QStringLiteral("4\n"));
    checkWords(pdf, {SheetGeometry{}, 1, 3, {}});
    EXPECT_EQ(dir.read(QStringLiteral("phone.vcf")), file);

    // A .vcf that is no vCard at all is refused with a message.
    const QString other = dir.write(QStringLiteral("other.vcf"), "Name,Street\r\n");
    const ToolRun refused = runTool({other, QStringLiteral("-o"), pdf});
    EXPECT_NE(refused.exitCode, 0);
    EXPECT_TRUE(refused.err.contains(QStringLiteral("is not a vCard file")))
        << refused.err.toStdString();
}
