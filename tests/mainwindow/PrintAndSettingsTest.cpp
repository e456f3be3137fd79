#include "DialogDriver.h"
#include "MainWindowHarness.h"
#include "TempDir.h"
#include "labels/ui/CSettingsSheet.h"
#include "labels/ui/PrintProgressDialog.h"
#include "mainwindow/ContactsPane.h"
#include "mainwindow/ControlIds.h"
#include "mainwindow/LabelListPane.h"
#include "platform/ui/DialogRunner.h"

#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPrinter>
#include <QProgressDialog>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace {

QByteArray storedRecord() {
    const auto b = LabelPreferences{}.toBytes();
    return QByteArray(reinterpret_cast<const char*>(b.data()), static_cast<qsizetype>(b.size()));
}

struct HookGuard {
    explicit HookGuard(DialogRunner::Hook h) { DialogRunner::setHook(std::move(h)); }
    ~HookGuard() { DialogRunner::setHook({}); }
};

void addLabels(CQuillmarkDlg& dlg, int n) {
    for (int i = 0; i < n; ++i)
        dlg.labelList->labels.Add("Person " + std::to_string(i) + "\r\nStreet\r\nTown");
    dlg.labelList->currentLabel = n;
    dlg.labelList->UpdateControls();
}

} // namespace

TEST(PrintLabels, ThirteenLabelsFromFiveLeaveTwoInTheBox) {
    TempDir dir;
    MainWindowHarness h;
    h.store.values[QStringLiteral("Preferences")] = storedRecord();
    CQuillmarkDlg& dlg = h.open();
    addLabels(dlg, 13);
    dlg.control<QLineEdit>(Id::FirstLabelBox)->setText(QStringLiteral("5"));
    const QString pdf = dir.path(QStringLiteral("out.pdf"));
    h.prompt.onPrinter = [&](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return true;
    };
    ASSERT_TRUE(dlg.isCommandEnabled(Id::PrintLabelsCommand));
    dlg.runCommand(Id::PrintLabelsCommand);
    EXPECT_EQ(h.prompt.printDialogs, 1);
    EXPECT_TRUE(h.prompt.shown.empty());
    EXPECT_EQ(dlg.control<QLineEdit>(Id::FirstLabelBox)->text(), QStringLiteral("2"));
    EXPECT_EQ(dlg.settings.prefs.firstLabel, 2);
    EXPECT_GT(QFile(pdf).size(), 1000);
}

TEST(PrintLabels, CancelledPrintDialogChangesNothing) {
    MainWindowHarness h;
    h.store.values[QStringLiteral("Preferences")] = storedRecord();
    CQuillmarkDlg& dlg = h.open();
    addLabels(dlg, 3);
    dlg.control<QLineEdit>(Id::FirstLabelBox)->setText(QStringLiteral("4"));
    dlg.runCommand(Id::PrintLabelsCommand);
    EXPECT_EQ(h.prompt.printDialogs, 1);
    EXPECT_EQ(dlg.control<QLineEdit>(Id::FirstLabelBox)->text(), QStringLiteral("4"));
}

TEST(PrintLabels, FirstRunOpensDimensionsAndPrintsNothing) {
    MainWindowHarness h;
    CQuillmarkDlg& dlg = h.open();
    addLabels(dlg, 2);
    int shownPage = -1;
    QString title;
    HookGuard hook([&](QDialog& d) {
        if (auto* sheet = qobject_cast<CSettingsSheet*>(&d)) {
            shownPage = sheet->tabs().currentIndex();
            title = sheet->windowTitle();
        }
        return int(QDialog::Rejected);
    });
    dlg.runCommand(Id::PrintLabelsCommand);
    ASSERT_EQ(h.prompt.texts(), QStringList{QStringLiteral(
                                    "Please define dimensions for your labels before printing.")});
    EXPECT_EQ(shownPage, 1);
    EXPECT_EQ(title, QStringLiteral("Settings for Quillmark"));
    EXPECT_EQ(h.prompt.printDialogs, 0);
    EXPECT_EQ(dlg.dimensionsUndefined, 0);

    // The flag is cleared once: the next Settings opens on the Fonts page.
    dlg.runCommand(Id::Settings);
    EXPECT_EQ(shownPage, 0);
}

TEST(Settings, OkWritesTheFormatBackAndMarksLabelsModified) {
    MainWindowHarness h;
    h.store.values[QStringLiteral("Preferences")] = storedRecord();
    CQuillmarkDlg& dlg = h.open();
    addLabels(dlg, 1);
    dlg.labelList->labelsModified = 0;
    HookGuard hook([](QDialog& d) {
        if (auto* sheet = qobject_cast<CSettingsSheet*>(&d)) {
            sheet->tabs().setCurrentIndex(1);
            for (auto* field : sheet->findChildren<QLineEdit*>()) {
                if (field->text() == QStringLiteral("8")) { // "Number down"
                    field->setText(QStringLiteral("7"));
                    Q_EMIT field->textEdited(field->text());
                }
            }
            sheet->pressOk();
            return sheet->result();
        }
        return int(QDialog::Rejected);
    });
    dlg.runCommand(Id::Settings);
    EXPECT_EQ(dlg.settings.prefs.geometry.labelsDown, 7);
    EXPECT_EQ(dlg.labelList->labelsModified, 1);
    EXPECT_EQ(dlg.settings.labelName, QStringLiteral("Default 2x8 label*"));
}

TEST(Commands, EnableRulesInRepresentativeStates) {
    TempDir dir;
    const QString file = dir.write(QStringLiteral("p.csv"),
                                   "|QMK|\tCreated\twith\tQuillmark\r\nAnn\tA\tB\r\nBob\tC\tD\r\n");
    MainWindowHarness h;
    CQuillmarkDlg& dlg = h.open(file);
    // No labels: the label commands that need one are off, Add New Label is on.
    EXPECT_TRUE(dlg.isCommandEnabled(Id::AddNewLabel));
    for (int id : {Id::PrintLabelsCommand, Id::RepeatLabel, Id::DeleteLabel, Id::DeleteAllLabels,
                   Id::SaveLabelsAs, Id::SortLabels, Id::SaveLabels})
        EXPECT_FALSE(dlg.isCommandEnabled(id)) << id;
    addLabels(dlg, 1);
    EXPECT_TRUE(dlg.isCommandEnabled(Id::PrintLabelsCommand));
    EXPECT_FALSE(dlg.isCommandEnabled(Id::SortLabels)); // needs two
    addLabels(dlg, 1);
    EXPECT_TRUE(dlg.isCommandEnabled(Id::SortLabels));

    // Category... needs a selection and a category name.
    auto* list = dlg.control<QListWidget>(Id::ContactsList);
    list->item(0)->setSelected(true);
    EXPECT_FALSE(dlg.isCommandEnabled(Id::AssignCategory));
    dlg.categories.categoryNames = {"Friends"};
    EXPECT_TRUE(dlg.isCommandEnabled(Id::AssignCategory));
    list->clearSelection();
    EXPECT_FALSE(dlg.isCommandEnabled(Id::AssignCategory));
}

// A long job shows which sheet it is on, and Cancel aborts it: nothing is left of the job and
// the first-label box keeps its position.
TEST(PrintLabels, LongJobShowsProgressAndCancelAbortsIt) {
    TempDir dir;
    MainWindowHarness h;
    h.store.values[QStringLiteral("Preferences")] = storedRecord();
    CQuillmarkDlg& dlg = h.open();
    dlg.show();
    addLabels(dlg, 16 * 400);
    dlg.control<QLineEdit>(Id::FirstLabelBox)->setText(QStringLiteral("3"));
    const QString pdf = dir.path(QStringLiteral("long.pdf"));
    h.prompt.onPrinter = [&](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return true;
    };
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
        QRegularExpression(QStringLiteral("^Printing sheet \\d+ of 401$")).match(shown).hasMatch())
        << shown.toStdString();
    EXPECT_EQ(dlg.control<QLineEdit>(Id::FirstLabelBox)->text(), QStringLiteral("3"));
    EXPECT_FALSE(QFile::exists(pdf));
}
