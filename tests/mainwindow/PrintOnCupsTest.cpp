// The window's Print command on a real CUPS scheduler of the test's own: what the server
// received, what the user was told, and where the first-label box stands afterwards.
#include "CupsServer.h"
#include "DialogDriver.h"
#include "MainWindowHarness.h"
#include "TempDir.h"
#include "labels/PrinterCalibration.h"
#include "labels/SheetLibrary.h"
#include "labels/ui/CCalibrationDialog.h"
#include "labels/ui/PrintProgressDialog.h"
#include "mainwindow/ControlIds.h"
#include "mainwindow/LabelListPane.h"
#include "platform/ui/DialogRunner.h"

#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <cups/cups.h>
#include <gtest/gtest.h>

namespace {

QByteArray storedRecord() {
    const auto b = LabelPreferences{}.toBytes();
    return QByteArray(reinterpret_cast<const char*>(b.data()), static_cast<qsizetype>(b.size()));
}

SheetGeometry librarySheet(const char* code) {
    const LabelSheet* sheet =
        SheetLibrary::byCode(SheetLibrary::builtIn().sheets, QString::fromLatin1(code));
    return sheet ? sheet->toGeometry() : SheetGeometry{};
}

// "Name1" to "NameN", each over a street line.
void addLabels(CQuillmarkDlg& dlg, int n) {
    for (int i = 1; i <= n; ++i)
        dlg.labelList->labels.Add("Name" + std::to_string(i) + "\r\nStreet");
    dlg.labelList->currentLabel = n;
    dlg.labelList->UpdateControls();
}

QString firstLabelBox(CQuillmarkDlg& dlg) {
    return dlg.control<QLineEdit>(Id::FirstLabelBox)->text();
}

struct Word {
    int page;
    double xMin, yMin, xMax, yMax; // points from the page's top-left corner
};

struct PrintedPdf {
    QList<QSizeF> pages; // points
    std::map<QString, Word> words;
    std::vector<Word> boxes; // every word's box, in the order of the pages
};

PrintedPdf readPdf(const QString& pdf) {
    PrintedPdf result;
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    if (!p.waitForFinished(60000))
        return result;
    const QString xml = QString::fromUtf8(p.readAllStandardOutput());
    static const QRegularExpression token(
        QStringLiteral("<page width=\"([\\d.]+)\" height=\"([\\d.]+)\">|"
                       "<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" "
                       "yMax=\"([\\d.]+)\">([^<]*)</word>"));
    for (auto it = token.globalMatch(xml); it.hasNext();) {
        const auto m = it.next();
        if (!m.captured(1).isEmpty()) {
            result.pages.push_back({m.captured(1).toDouble(), m.captured(2).toDouble()});
            continue;
        }
        const Word w{static_cast<int>(result.pages.size()), m.captured(3).toDouble(),
                     m.captured(4).toDouble(), m.captured(5).toDouble(), m.captured(6).toDouble()};
        result.words[m.captured(7)] = w;
        result.boxes.push_back(w);
    }
    return result;
}

// Every "Name<k>" of a job lies inside its label's rectangle on its sheet.
void expectWordsInTheirCells(const PrintedPdf& printed, const SheetGeometry& g, int first,
                             int count) {
    const double pt = 72.0 / 254.0; // points per tenth of a millimetre
    const int perSheet = g.labelsAcross * g.labelsDown;
    for (int k = 1; k <= count; ++k) {
        const QString name = QStringLiteral("Name%1").arg(k);
        const auto found = printed.words.find(name);
        ASSERT_NE(found, printed.words.end()) << name.toStdString();
        const Word& w = found->second;
        const int index = first - 1 + k - 1;
        const int position = index % perSheet;
        const int column = position % g.labelsAcross, row = position / g.labelsAcross;
        const double left = (g.sideMargin + (g.labelWidth + g.verticalGutter) * column) * pt;
        const double top = (g.topMargin + (g.labelHeight + g.horizontalGutter) * row) * pt;
        EXPECT_EQ(w.page, index / perSheet + 1) << name.toStdString();
        EXPECT_GE(w.xMin, left - 0.5) << name.toStdString();
        EXPECT_LE(w.xMax, left + g.labelWidth * pt + 0.5) << name.toStdString();
        EXPECT_GE(w.yMin, top - 0.5) << name.toStdString();
        EXPECT_LE(w.yMax, top + g.labelHeight * pt + 0.5) << name.toStdString();
    }
}

QImage pageImage(const QString& pdf, int page, const QString& stem) {
    QProcess p;
    p.start(QStringLiteral("pdftoppm"),
            {QStringLiteral("-r"), QStringLiteral("50"), QStringLiteral("-gray"),
             QStringLiteral("-singlefile"), QStringLiteral("-f"), QString::number(page),
             QStringLiteral("-l"), QString::number(page), QStringLiteral("-png"), pdf, stem});
    if (!p.waitForFinished(60000))
        return {};
    return QImage(stem + QStringLiteral(".png")).convertToFormat(QImage::Format_Grayscale8);
}

// The share of ink in one page that has no ink within a pixel of it in the other: what the
// queue printed against what it was sent, at 50 dots per inch. Smoothing differs between the
// two; a page that the server moved or scaled by half a millimetre does not match.
double unmatchedInk(const QString& sent, const QString& printed, int page) {
    TempDir dir;
    const QImage a = pageImage(sent, page, dir.path(QStringLiteral("sent")));
    const QImage b = pageImage(printed, page, dir.path(QStringLiteral("printed")));
    if (a.isNull() || a.size() != b.size())
        return 1.0;
    const auto ink = [](const QImage& img, int x, int y) {
        return x >= 0 && y >= 0 && x < img.width() && y < img.height() &&
               img.constScanLine(y)[x] < 128;
    };
    qint64 inked = 0, unmatched = 0;
    for (const auto& [from, to] : {std::pair{&a, &b}, std::pair{&b, &a}}) {
        for (int y = 0; y < from->height(); ++y) {
            for (int x = 0; x < from->width(); ++x) {
                if (!ink(*from, x, y))
                    continue;
                ++inked;
                bool near = false;
                for (int dy = -1; dy <= 1 && !near; ++dy)
                    for (int dx = -1; dx <= 1 && !near; ++dx)
                        near = ink(*to, x + dx, y + dy);
                unmatched += near ? 0 : 1;
            }
        }
    }
    return inked == 0 ? 1.0 : double(unmatched) / double(inked);
}

class PrintOnCups : public ::testing::Test {
protected:
    void SetUp() override {
        QM_NEED_CUPS(server);
        for (const auto& [queue, paper] :
             {std::pair{"PDF_A4", "A4"}, std::pair{"PDF_Letter", "Letter"}}) {
            const QString problem =
                server.addQueue(QString::fromLatin1(queue), QString::fromLatin1(paper));
            ASSERT_TRUE(problem.isEmpty()) << problem.toStdString();
        }
        // A user of US Letter: the print dialog starts on the Letter queue.
        ASSERT_EQ(server
                      .run(QStringLiteral("lpadmin"),
                           {QStringLiteral("-d"), QStringLiteral("PDF_Letter")})
                      .toStdString(),
                  "");
        h.store.values[QStringLiteral("Preferences")] = storedRecord();
    }

    // The print dialog with the queue picked, as the user leaves it after pressing Print.
    void pick(const QString& queue) {
        h.prompt.onPrinter = [queue](QPrinter& printer) {
            printer.setPrinterName(queue);
            return true;
        };
    }

    CupsServer server;
    MainWindowHarness h;
};

} // namespace

// A 30-label job from position 5 reaches the queue as one job of two sheets on the sheet's
// own paper (asked of the printer, whatever its own): L7160 on the Letter queue comes out on
// A4, 5160 on the A4 queue on Letter. The job is named after the label list, every label lies
// inside its cell, and the box moves on.
TEST_F(PrintOnCups, WholeJobReachesTheQueueOnTheSheetsPaper) {
    struct Case {
        const char* sheet;
        const char* queue;
        QSizeF paper; // points
        const char* next;
    };
    const Case cases[] = {
        {"L7160", "PDF_Letter", {595.0, 842.0}, "14"},
        {"5160", "PDF_A4", {612.0, 792.0}, "5"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sheet);
        const QString queue = QString::fromLatin1(c.queue);
        CQuillmarkDlg& dlg = h.open();
        dlg.settings.prefs.geometry = librarySheet(c.sheet);
        dlg.labelFileName = QStringLiteral("/home/ann/Christmas cards.lbl");
        addLabels(dlg, 30);
        dlg.control<QLineEdit>(Id::FirstLabelBox)->setText(QStringLiteral("5"));
        pick(queue);
        dlg.runCommand(Id::PrintLabelsCommand);
        EXPECT_EQ(h.prompt.texts().join(u'\n').toStdString(), "");
        EXPECT_EQ(firstLabelBox(dlg).toStdString(), c.next);

        ASSERT_TRUE(server.waitUntilIdle());
        std::vector<CupsServer::Job> jobs;
        for (const CupsServer::Job& job : server.jobs())
            if (job.printer == queue)
                jobs.push_back(job);
        ASSERT_EQ(jobs.size(), 1u);
        EXPECT_EQ(jobs[0].title, QStringLiteral("Christmas cards.lbl"));
        EXPECT_EQ(jobs[0].state, IPP_JSTATE_COMPLETED) << server.errorLog().toStdString();
        // The words are read from the document the server received; the queue's output
        // (through PostScript, where the text's encoding is lost) must have the same pages and
        // the same ink in the same places.
        const QString received = server.receivedDocument(jobs[0].id);
        ASSERT_FALSE(received.isEmpty());
        const PrintedPdf sent = readPdf(received);
        const QString pdf = server.printedPdf(queue);
        ASSERT_FALSE(pdf.isEmpty()) << server.errorLog().toStdString();
        const PrintedPdf printed = readPdf(pdf);
        ASSERT_EQ(printed.pages.size(), 2);
        EXPECT_NEAR(printed.pages[0].width(), c.paper.width(), 1.0);
        EXPECT_NEAR(printed.pages[0].height(), c.paper.height(), 1.0);
        EXPECT_EQ(sent.boxes.size(), 60u); // two words a label
        for (int page = 1; page <= 2; ++page)
            EXPECT_LT(unmatchedInk(received, pdf, page), 0.03) << "sheet " << page;
        expectWordsInTheirCells(sent, dlg.settings.prefs.geometry, 5, 30);
    }
}

// Cancel while the second sheet is due: the server never sees a job, and the box keeps its
// position, so the same labels are printed again from the same place.
TEST_F(PrintOnCups, CancelAfterTheFirstSheetSendsNothing) {
    CQuillmarkDlg& dlg = h.open();
    dlg.show();
    addLabels(dlg, 16 * 20);
    dlg.control<QLineEdit>(Id::FirstLabelBox)->setText(QStringLiteral("3"));
    pick(QStringLiteral("PDF_A4"));
    QString shown;
    DialogDriver driver;
    driver.then<QProgressDialog>([&shown](QProgressDialog* progress) {
        shown = progress->labelText();
        QTest::mouseClick(progress->findChild<QPushButton*>(), Qt::LeftButton);
    });
    PrintProgressDialog::setShowAfterMs(0);
    dlg.runCommand(Id::PrintLabelsCommand);
    PrintProgressDialog::setShowAfterMs(PrintProgressDialog::kShowAfterMs);
    ASSERT_TRUE(driver.finished()) << driver.failure().toStdString();
    EXPECT_TRUE(
        QRegularExpression(QStringLiteral("^Printing sheet \\d+ of 21$")).match(shown).hasMatch())
        << shown.toStdString();
    EXPECT_EQ(firstLabelBox(dlg), QStringLiteral("3"));
    EXPECT_EQ(h.prompt.texts().join(u'\n').toStdString(), "");

    ASSERT_TRUE(server.waitUntilIdle());
    EXPECT_TRUE(server.jobs().empty());
    int code = -1;
    EXPECT_EQ(server
                  .run(QStringLiteral("lpstat"),
                       {QStringLiteral("-W"), QStringLiteral("all"), QStringLiteral("-o")}, &code)
                  .trimmed()
                  .toStdString(),
              "");
    EXPECT_EQ(code, 0);
}

// Labels that reach past every common paper: the preview says so, and Print asks first. No
// sends nothing and keeps the box; Yes prints.
TEST_F(PrintOnCups, LabelsPastThePaperAreShownInThePreviewAndAskedAbout) {
    CQuillmarkDlg& dlg = h.open();
    SheetGeometry tall; // two labels of 190 mm from 10 mm down: 390 mm
    tall.topMargin = 100;
    tall.labelsAcross = 1;
    tall.labelsDown = 2;
    tall.labelHeight = 1900;
    dlg.settings.prefs.geometry = tall;
    addLabels(dlg, 2);
    const QString reach = QStringLiteral("The labels of this sheet reach 390.0 mm down; the "
                                         "paper in PDF_Letter is 279.4 mm long.");
    QString warned = QStringLiteral("(no preview)");
    DialogRunner::setHook([&warned](QDialog& d) {
        if (const auto* line = d.findChild<QLabel*>(QStringLiteral("paperWarning")))
            warned = line->isVisibleTo(&d) ? line->text() : QString();
        // A picture of the preview to look at, when QM_SHOTS names a folder.
        if (const QString shots = qEnvironmentVariable("QM_SHOTS"); !shots.isEmpty()) {
            d.resize(700, 500);
            d.grab().save(shots + QStringLiteral("/preview-paper-warning.png"));
        }
        return int(QDialog::Rejected);
    });
    dlg.runCommand(Id::PrintPreview);
    DialogRunner::setHook({});
    EXPECT_EQ(warned.toStdString(), reach.toStdString());

    h.prompt.onPrinter = [](QPrinter&) { return true; };
    h.prompt.answer(Prompt::Answer::No);
    dlg.runCommand(Id::PrintLabelsCommand);
    ASSERT_EQ(h.prompt.shown.size(), 1u);
    EXPECT_EQ(h.prompt.shown[0].text.toStdString(),
              (reach + QStringLiteral(" Print anyway?")).toStdString());
    EXPECT_EQ(h.prompt.shown[0].buttons, Prompt::Buttons::YesNo);
    EXPECT_TRUE(server.jobs().empty());
    EXPECT_EQ(firstLabelBox(dlg).toStdString(), "1");

    h.prompt.answer(Prompt::Answer::Yes);
    dlg.runCommand(Id::PrintLabelsCommand);
    ASSERT_TRUE(server.waitUntilIdle());
    ASSERT_EQ(server.jobs().size(), 1u);
    EXPECT_EQ(server.jobs()[0].state, IPP_JSTATE_COMPLETED);
    EXPECT_EQ(server.jobs()[0].title.toStdString(), "Quillmark labels"); // no label list file
    EXPECT_EQ(firstLabelBox(dlg).toStdString(), "1"); // the two labels filled the sheet
}

// The calibration sheet is printed on the paper the labels get: a Letter sheet on an A4 queue
// comes out on Letter.
TEST_F(PrintOnCups, CalibrationSheetComesOutOnTheLabelsPaper) {
    PrinterCalibration calibration(h.store);
    CCalibrationDialog dialog(calibration, librarySheet("5160"),
                              {QStringLiteral("PDF_A4"), QStringLiteral("PDF_Letter")},
                              QStringLiteral("PDF_A4"));
    dialog.OnPrint();
    EXPECT_EQ(h.prompt.texts().join(u'\n').toStdString(), "");
    ASSERT_TRUE(server.waitUntilIdle());
    ASSERT_EQ(server.jobs().size(), 1u);
    EXPECT_EQ(server.jobs()[0].title, CCalibrationDialog::kTitle);
    const QString pdf = server.printedPdf(QStringLiteral("PDF_A4"));
    ASSERT_FALSE(pdf.isEmpty()) << server.errorLog().toStdString();
    const PrintedPdf printed = readPdf(pdf);
    ASSERT_EQ(printed.pages.size(), 1);
    EXPECT_NEAR(printed.pages[0].width(), 612.0, 1.0); // Letter
    EXPECT_NEAR(printed.pages[0].height(), 792.0, 1.0);
}

// A queue that refuses jobs: the user is told which printer and why, nothing is queued and the
// box keeps its position.
TEST_F(PrintOnCups, RefusedJobIsReportedAndTheBoxKeepsItsPosition) {
    ASSERT_EQ(server.reject(QStringLiteral("PDF_A4")), QString());
    CQuillmarkDlg& dlg = h.open();
    addLabels(dlg, 5);
    dlg.control<QLineEdit>(Id::FirstLabelBox)->setText(QStringLiteral("7"));
    pick(QStringLiteral("PDF_A4"));
    dlg.runCommand(Id::PrintLabelsCommand);
    ASSERT_EQ(h.prompt.shown.size(), 1u);
    EXPECT_EQ(h.prompt.shown[0].text,
              QStringLiteral("Nothing was printed on PDF_A4: Destination \"PDF_A4\" is not "
                             "accepting jobs."));
    EXPECT_EQ(h.prompt.shown[0].icon, Prompt::Icon::Warning);
    EXPECT_EQ(firstLabelBox(dlg), QStringLiteral("7"));
    EXPECT_EQ(dlg.labelList->labels.Strings().size(), 5u);
    EXPECT_TRUE(server.jobs().empty());
}

// No print server at all: the dialog can only offer an empty printer; Print says so and the
// box keeps its position.
TEST(PrintWithoutCups, NoServerIsReportedAndTheBoxKeepsItsPosition) {
    TempDir dir;
    const QString nothing = dir.path(QStringLiteral("no-server.sock"));
    qputenv("CUPS_SERVER", QFile::encodeName(nothing));
    cupsSetServer(QFile::encodeName(nothing).constData());
    MainWindowHarness h;
    h.store.values[QStringLiteral("Preferences")] = storedRecord();
    CQuillmarkDlg& dlg = h.open();
    addLabels(dlg, 30);
    dlg.control<QLineEdit>(Id::FirstLabelBox)->setText(QStringLiteral("4"));
    QString offered = QStringLiteral("(not asked)");
    h.prompt.onPrinter = [&offered](QPrinter& printer) {
        offered = printer.printerName();
        return true;
    };
    dlg.runCommand(Id::PrintLabelsCommand);
    EXPECT_EQ(offered.toStdString(), "");
    EXPECT_EQ(h.prompt.texts().join(u'\n').toStdString(),
              "Nothing was printed: no printer is set up.");
    EXPECT_EQ(firstLabelBox(dlg), QStringLiteral("4"));
    qunsetenv("CUPS_SERVER");
    cupsSetServer(nullptr);
}
