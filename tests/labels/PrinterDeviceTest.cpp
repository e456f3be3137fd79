#include "ScriptedPrompt.h"
#include "TempDir.h"

#include "labels/LabelPrinter.h"
#include "labels/ui/PrinterDevice.h"

#include <QPageLayout>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <gtest/gtest.h>

TEST(PrinterDevice, CancelledDialogPrintsNothing) {
    ScriptedPrompt script; // no answer: the dialog is cancelled
    const std::vector<std::string> labels = {"Ann\r\nStreet"};
    CLabelPrinter job(LabelPreferences{}, "Serif", labels,
                      askForPrinter(LabelPreferences{}.geometry));
    EXPECT_EQ(job.Print(false, 3).nextPosition(), 0);
    EXPECT_EQ(script.printDialogs, 1);
}

TEST(PrinterDevice, PlacesLabelsFromThePapersEdges) {
    TempDir dir;
    const QString pdf = dir.path(QStringLiteral("printed.pdf"));
    ScriptedPrompt script;
    script.onPrinter = [&](QPrinter& printer) {
        // "Print to File (PDF)" with 20 mm margins: the printable area starts 20 mm in.
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setPageMargins(QMarginsF(20, 20, 20, 20), QPageLayout::Millimeter);
        return true;
    };
    const std::vector<std::string> labels = {"Firstword", "Secondword"};
    CLabelPrinter job(LabelPreferences{}, "Serif", labels,
                      askForPrinter(LabelPreferences{}.geometry));
    EXPECT_EQ(job.Print(false, 1).nextPosition(), 3);
    ASSERT_TRUE(QFile::exists(pdf));
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        GTEST_SKIP() << "pdftotext is not installed";

    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    ASSERT_TRUE(p.waitForFinished(60000));
    const QString xml = QString::fromUtf8(p.readAllStandardOutput());
    const QRegularExpression word(
        QStringLiteral("xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" "
                       "yMax=\"([\\d.]+)\">Secondword<"));
    const auto m = word.match(xml);
    ASSERT_TRUE(m.hasMatch()) << xml.toStdString();
    // Label 2: column 1 of the default sheet, 106 to 205 mm from the left, 13 to 47 mm down.
    const double mm = 72.0 / 25.4;
    EXPECT_GT(m.captured(1).toDouble(), 106 * mm);
    EXPECT_LT(m.captured(3).toDouble(), 205 * mm);
    EXPECT_GT(m.captured(2).toDouble(), 13 * mm);
    EXPECT_LT(m.captured(4).toDouble(), 47 * mm);
}

// A sheet without positions (from a damaged label file) has nothing to print: the printer is
// never started, so no blank sheet comes out.
TEST(PrinterDevice, NothingToPlaceNeverStartsThePrinter) {
    TempDir dir;
    const QString pdf = dir.path(QStringLiteral("blank.pdf"));
    ScriptedPrompt script;
    script.onPrinter = [&](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return true;
    };
    LabelPreferences noColumns;
    noColumns.geometry.labelsAcross = 0;
    const std::vector<std::string> labels = {"Ann\r\nStreet"};
    CLabelPrinter job(noColumns, "Serif", labels, askForPrinter(LabelPreferences{}.geometry));
    (void)job.Print(false, 1);
    EXPECT_FALSE(QFile::exists(pdf));
}
