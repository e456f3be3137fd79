// As a new user would: choose L7160 in the Dimensions page's picker, print 30 labels from
// position 5 to a PDF, and find every label where the published sheet has it.
#include "MainWindowHarness.h"
#include "TempDir.h"
#include "labels/PrinterCalibration.h"
#include "labels/ui/CDimensionsPP.h"
#include "labels/ui/CSettingsSheet.h"
#include "labels/ui/CSheetPickerDialog.h"
#include "labels/ui/SettingsPageIds.h"
#include "mainwindow/ControlIds.h"
#include "mainwindow/LabelListPane.h"
#include "platform/ui/DialogRunner.h"

#include <QLineEdit>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTest>
#include <QXmlStreamReader>
#include <gtest/gtest.h>
#include <map>

namespace {

struct Word {
    int page;
    double x, y; // mm from the paper's top-left corner
};

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
            const Word w{page, a.value(QLatin1String("xMin")).toDouble() * 25.4 / 72.0,
                         a.value(QLatin1String("yMin")).toDouble() * 25.4 / 72.0};
            words[xml.readElementText()] = w;
        }
    }
    return words;
}

} // namespace

TEST(SheetToPdf, L7160FromPositionFiveLandsOnThePublishedSheet) {
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        GTEST_SKIP() << "pdftotext is not installed";
    TempDir dir;
    MainWindowHarness h;
    const auto record = LabelPreferences{}.toBytes();
    h.store.values[QStringLiteral("Preferences")] =
        QByteArray(reinterpret_cast<const char*>(record.data()), record.size());
    // A calibrated printer elsewhere changes nothing for a PDF.
    PrinterCalibration(h.store).setOffset(QStringLiteral("Office laser"), {15, -7});
    CQuillmarkDlg& dlg = h.open();

    DialogRunner::setHook([&](QDialog& d) {
        if (auto* picker = qobject_cast<CSheetPickerDialog*>(&d)) {
            QTest::keyClicks(picker->searchBox(), QStringLiteral("L7160"));
            picker->accept();
            return picker->result();
        }
        auto* sheet = qobject_cast<CSettingsSheet*>(&d);
        EXPECT_NE(sheet, nullptr);
        if (sheet == nullptr)
            return int(QDialog::Rejected);
        sheet->show();
        sheet->tabs().setCurrentIndex(1);
        sheet->dimensionsPage().control<QPushButton>(DimensionsId::kChooseSheet)->click();
        sheet->pressOk();
        sheet->hide();
        return sheet->result();
    });
    dlg.runCommand(Id::Settings);
    DialogRunner::setHook({});
    EXPECT_EQ(dlg.settings.labelName,
              QStringLiteral("L7160 \u2014 63.5 \u00d7 38.1 mm, 3 \u00d7 7"));

    // One word a label, set from its label's left edge.
    dlg.settings.prefs.alignment = 0;
    dlg.settings.prefs.margin = 0;
    for (int k = 1; k <= 30; ++k)
        dlg.labelList->labels.Add("W" + std::to_string(k));
    dlg.labelList->currentLabel = 30;
    dlg.labelList->ShowCurrentLabel(); // the editor holds the last one, as after adding it
    dlg.labelList->UpdateControls();
    dlg.control<QLineEdit>(Id::FirstLabelBox)->setText(QStringLiteral("5"));
    const QString pdf = dir.path(QStringLiteral("labels.pdf"));
    h.prompt.onPrinter = [&](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        printer.setPageSize(QPageSize(QPageSize::A4));
        return true;
    };
    dlg.runCommand(Id::PrintLabelsCommand);
    EXPECT_EQ(dlg.control<QLineEdit>(Id::FirstLabelBox)->text(), QStringLiteral("14"));

    const auto words = wordsOf(pdf);
    ASSERT_EQ(words.size(), 30u);
    const double textDrop = words.at(QStringLiteral("W1")).y - (15.15 + 38.1);
    for (int k = 1; k <= 30; ++k) {
        const int slot = 4 + k - 1;
        const int c = (slot % 21) % 3, r = (slot % 21) / 3;
        const Word& w = words.at(QStringLiteral("W%1").arg(k));
        SCOPED_TRACE("label " + std::to_string(k));
        EXPECT_EQ(w.page, slot / 21 + 1);
        EXPECT_NEAR(w.x, 7.21 + c * 66.04, 0.2);
        EXPECT_NEAR(w.y - textDrop, 15.15 + r * 38.1, 0.2);
    }
}
