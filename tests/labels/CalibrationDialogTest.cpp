#include "MemorySettingsStore.h"
#include "ScriptedPrompt.h"
#include "TempDir.h"
#include "labels/PdfPrintDevice.h"
#include "labels/PrinterCalibration.h"
#include "labels/ui/CCalibrationDialog.h"

#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>
#include <gtest/gtest.h>

namespace {

const QStringList kPrinters{QStringLiteral("Office laser"), QStringLiteral("Inkjet upstairs")};

void enter(QDoubleSpinBox* box, const QString& text) {
    box->selectAll();
    QTest::keyClicks(box, text);
    box->interpretText();
}

} // namespace

TEST(CalibrationDialog, ShowsStoredOffsetsAndKeepsPrintersApart) {
    ScriptedPrompt p;
    MemorySettingsStore store;
    PrinterCalibration calibration(store);
    calibration.setOffset(QStringLiteral("Inkjet upstairs"), {-3, 20});

    CCalibrationDialog dialog(calibration, SheetGeometry{}, kPrinters,
                              QStringLiteral("Inkjet upstairs"));
    EXPECT_EQ(dialog.printerBox()->currentText(), QStringLiteral("Inkjet upstairs"));
    EXPECT_EQ(dialog.storedText()->text(),
              QStringLiteral("Stored for this printer: 0.3 mm left, 2.0 mm down."));
    EXPECT_EQ(dialog.entered(), (PrintOffset{-3, 20}));

    dialog.printerBox()->setCurrentText(QStringLiteral("Office laser"));
    EXPECT_EQ(dialog.storedText()->text(), QStringLiteral("No offset is stored for this printer."));
    EXPECT_EQ(dialog.entered(), PrintOffset{});
    enter(dialog.rightBox(), QStringLiteral("1.5"));
    enter(dialog.downBox(), QStringLiteral("-0.7"));
    // Going to the other printer and back keeps what was typed.
    dialog.printerBox()->setCurrentText(QStringLiteral("Inkjet upstairs"));
    EXPECT_EQ(dialog.entered(), (PrintOffset{-3, 20}));
    dialog.printerBox()->setCurrentText(QStringLiteral("Office laser"));
    EXPECT_EQ(dialog.entered(), (PrintOffset{15, -7}));
    // Nothing is stored before OK.
    EXPECT_EQ(calibration.offsetFor(QStringLiteral("Office laser")), PrintOffset{});
    dialog.accept();
    EXPECT_EQ(calibration.offsetFor(QStringLiteral("Office laser")), (PrintOffset{15, -7}));
    EXPECT_EQ(calibration.offsetFor(QStringLiteral("Inkjet upstairs")), (PrintOffset{-3, 20}));
    EXPECT_TRUE(p.shown.empty());
}

TEST(CalibrationDialog, ResetAndCancel) {
    struct Case {
        bool reset;
        bool ok;
        PrintOffset stored;
    };
    const Case cases[] = {
        {true, true, {}},         // Reset then OK clears the printer's offset
        {true, false, {15, -7}},  // Cancel keeps it
        {false, false, {15, -7}}, // typed and cancelled: kept
    };
    for (const Case& c : cases) {
        MemorySettingsStore store;
        PrinterCalibration calibration(store);
        calibration.setOffset(QStringLiteral("Office laser"), {15, -7});
        CCalibrationDialog dialog(calibration, SheetGeometry{}, kPrinters,
                                  QStringLiteral("Office laser"));
        if (c.reset) {
            dialog.resetButton()->click();
            EXPECT_EQ(dialog.entered(), PrintOffset{});
        } else {
            enter(dialog.rightBox(), QStringLiteral("4"));
        }
        if (c.ok)
            dialog.accept();
        else
            dialog.reject();
        EXPECT_EQ(calibration.offsetFor(QStringLiteral("Office laser")), c.stored)
            << c.reset << c.ok;
    }
}

// The sheet goes to the chosen printer without its stored offset, so the scales show the
// printer as it is; afterwards the dialog says how to read them.
TEST(CalibrationDialog, PrintsTheCalibrationSheetOnTheChosenPrinter) {
    ScriptedPrompt p;
    TempDir dir;
    MemorySettingsStore store;
    PrinterCalibration calibration(store);
    calibration.setOffset(QStringLiteral("Office laser"), {15, -7});
    CCalibrationDialog dialog(calibration, SheetGeometry{}, kPrinters,
                              QStringLiteral("Office laser"));
    QStringList asked;
    QFile pdf(dir.path(QStringLiteral("calibration.pdf")));
    ASSERT_TRUE(pdf.open(QIODevice::WriteOnly));
    dialog.deviceFor = [&](const QString& name) -> std::unique_ptr<PrintDevice> {
        asked << name;
        return std::make_unique<PdfPrintDevice>(pdf);
    };
    const QString before = dialog.stepText()->text();
    dialog.printButton()->click();
    pdf.close();
    EXPECT_EQ(asked, QStringList{QStringLiteral("Office laser")});
    EXPECT_NE(dialog.stepText()->text(), before);
    EXPECT_TRUE(dialog.stepText()->text().contains(QLatin1String("Move right by")));
    EXPECT_TRUE(p.shown.empty());

    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        return;
    QProcess text;
    text.start(QStringLiteral("pdftotext"),
               {QStringLiteral("-bbox"), pdf.fileName(), QStringLiteral("-")});
    ASSERT_TRUE(text.waitForFinished(60000));
    const QString out = QString::fromUtf8(text.readAllStandardOutput());
    // Four numbers each way on each of the two crosses. The lower cross sits on the
    // bottom-right corner of row 7, column 1 of the default sheet: 104 mm from the left.
    for (const char* n : {"-10", "-5", "+5", "+10"})
        EXPECT_EQ(out.count(QStringLiteral(">%1<").arg(QLatin1String(n))), 4) << n;
    const QRegularExpression plusTen(
        QStringLiteral("xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\"[^>]*>\\+10<"));
    double leftmost = 1e9;
    for (auto it = plusTen.globalMatch(out); it.hasNext();) {
        const auto m = it.next();
        leftmost = std::min(leftmost, m.captured(1).toDouble() * 25.4 / 72.0);
    }
    // Its vertical scale's +10 starts 3 mm right of the hair (tick and gap); the stored
    // 1.5 mm would put it at 108.5 mm.
    EXPECT_NEAR(leftmost, 107.0, 0.4);
}

TEST(CalibrationDialog, PrinterThatCannotBeHadIsReported) {
    ScriptedPrompt p;
    MemorySettingsStore store;
    PrinterCalibration calibration(store);
    CCalibrationDialog dialog(calibration, SheetGeometry{}, kPrinters, QString());
    dialog.deviceFor = [](const QString&) { return std::unique_ptr<PrintDevice>(); };
    dialog.printButton()->click();
    EXPECT_EQ(p.texts(), QStringList{QStringLiteral("Can't print on Office laser.")});
}

TEST(CalibrationDialog, WithoutPrintersThereIsNothingToCalibrate) {
    MemorySettingsStore store;
    PrinterCalibration calibration(store);
    CCalibrationDialog dialog(calibration, SheetGeometry{}, {}, QString());
    EXPECT_FALSE(dialog.printButton()->isEnabled());
    EXPECT_FALSE(dialog.rightBox()->isEnabled());
    dialog.accept();
    EXPECT_TRUE(store.values.isEmpty());
}

TEST(CalibrationDialogShots, Dialog) {
    const QString dir = qEnvironmentVariable("QM_SHOTS_DIR");
    if (dir.isEmpty())
        GTEST_SKIP() << "QM_SHOTS_DIR not set";
    QDir().mkpath(dir);
    MemorySettingsStore store;
    PrinterCalibration calibration(store);
    calibration.setOffset(QStringLiteral("Office laser"), {15, -7});
    CCalibrationDialog dialog(calibration, SheetGeometry{}, kPrinters,
                              QStringLiteral("Office laser"));
    dialog.show();
    QTest::qWait(50);
    EXPECT_TRUE(dialog.grab().save(dir + QStringLiteral("/calibration-dialog.png")));
    TempDir tmp;
    QFile pdf(dir + QStringLiteral("/calibration-sheet.pdf"));
    ASSERT_TRUE(pdf.open(QIODevice::WriteOnly));
    dialog.deviceFor = [&](const QString&) -> std::unique_ptr<PrintDevice> {
        return std::make_unique<PdfPrintDevice>(pdf);
    };
    dialog.printButton()->click();
    pdf.close();
    QTest::qWait(50);
    EXPECT_TRUE(dialog.grab().save(dir + QStringLiteral("/calibration-dialog-after.png")));
}
