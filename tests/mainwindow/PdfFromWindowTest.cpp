// A PDF made from the window through "Print to File (PDF)" of the real print dialog,
// offscreen: the same job, fit questions and position handling as printing, and a file that
// is replaced only by a whole job.
#include "DialogDriver.h"
#include "MainWindowHarness.h"
#include "TempDir.h"
#include "labels/ui/PrintProgressDialog.h"
#include "mainwindow/ControlIds.h"
#include "mainwindow/LabelListPane.h"
#include "platform/ui/QtPrompt.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

QByteArray storedRecord() {
    const auto b = LabelPreferences{}.toBytes();
    return QByteArray(reinterpret_cast<const char*>(b.data()), static_cast<qsizetype>(b.size()));
}

void addLabels(CQuillmarkDlg& dlg, int n) {
    for (int i = 1; i <= n; ++i)
        dlg.labelList->labels.Add("Name" + std::to_string(i) + "\r\nStreet");
    dlg.labelList->currentLabel = n;
    dlg.labelList->UpdateControls();
}

// What a user does in the print dialog: picks "Print to File (PDF)", types the file's name
// and presses Print.
void printToFile(QPrintDialog* dialog, const QString& path) {
    auto* printers = dialog->findChild<QComboBox*>(QStringLiteral("printers"));
    auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("filename"));
    if (!printers || !name) {
        dialog->reject();
        return;
    }
    const int file = printers->findText(QStringLiteral("Print to File (PDF)"));
    if (file < 0) {
        dialog->reject();
        return;
    }
    printers->setCurrentIndex(file);
    name->setText(path);
    // The Print button, whose checks (such as "already exists") accept() would skip.
    auto* buttons = dialog->findChild<QDialogButtonBox*>();
    if (QPushButton* print = buttons ? buttons->button(QDialogButtonBox::Ok) : nullptr)
        print->click();
    else
        dialog->reject();
}

int pdfPages(const QString& pdf) {
    QProcess p;
    p.start(QStringLiteral("pdfinfo"), {pdf});
    if (!p.waitForFinished(30000))
        return -1;
    for (const QString& line : QString::fromUtf8(p.readAllStandardOutput()).split(u'\n'))
        if (line.startsWith(QLatin1String("Pages:")))
            return line.mid(6).trimmed().toInt();
    return -1;
}

// The real prompt for the test's life, so that the real print dialog opens.
struct RealPrompt {
    explicit RealPrompt(Prompt& scripted) : back(scripted) { setPrompt(&real); }
    ~RealPrompt() { setPrompt(&back); }
    QtPrompt real;
    Prompt& back;
};

} // namespace

TEST(PdfFromTheWindow, WritesTheWholeJobAndMovesTheBox) {
    TempDir dir;
    MainWindowHarness h;
    h.store.values[QStringLiteral("Preferences")] = storedRecord();
    CQuillmarkDlg& dlg = h.open();
    dlg.show();
    addLabels(dlg, 13);
    dlg.control<QLineEdit>(Id::FirstLabelBox)->setText(QStringLiteral("5"));
    const QString pdf = dir.path(QStringLiteral("labels.pdf"));
    RealPrompt real(h.prompt);
    DialogDriver driver;
    driver.then<QPrintDialog>([&pdf](QPrintDialog* d) { printToFile(d, pdf); });
    dlg.runCommand(Id::PrintLabelsCommand);
    ASSERT_TRUE(driver.finished()) << driver.failure().toStdString();
    EXPECT_EQ(pdfPages(pdf), 2); // 13 labels from position 5 of 16
    EXPECT_EQ(dlg.control<QLineEdit>(Id::FirstLabelBox)->text().toStdString(), "2");
}

// Replacing a file: the dialog asks first; a job cancelled after that leaves the old file as
// it was, and the box where it was.
TEST(PdfFromTheWindow, CancelledJobLeavesTheFileItWouldReplace) {
    TempDir dir;
    MainWindowHarness h;
    h.store.values[QStringLiteral("Preferences")] = storedRecord();
    CQuillmarkDlg& dlg = h.open();
    dlg.show();
    addLabels(dlg, 16 * 40);
    dlg.control<QLineEdit>(Id::FirstLabelBox)->setText(QStringLiteral("3"));
    const QString pdf = dir.write(QStringLiteral("labels.pdf"), "the user's own file");
    RealPrompt real(h.prompt);
    QString asked;
    DialogDriver driver;
    driver.then<QPrintDialog>([&pdf](QPrintDialog* d) { printToFile(d, pdf); })
        .then<QMessageBox>([&asked](QMessageBox* box) {
            asked = box->text();
            box->button(QMessageBox::Yes)->click();
        })
        .then<QProgressDialog>([](QProgressDialog* progress) {
            QTest::mouseClick(progress->findChild<QPushButton*>(), Qt::LeftButton);
        });
    PrintProgressDialog::setShowAfterMs(0);
    dlg.runCommand(Id::PrintLabelsCommand);
    PrintProgressDialog::setShowAfterMs(PrintProgressDialog::kShowAfterMs);
    ASSERT_TRUE(driver.finished()) << driver.failure().toStdString();
    EXPECT_TRUE(asked.contains(QLatin1String("already exists"))) << asked.toStdString();
    EXPECT_EQ(dir.read(QStringLiteral("labels.pdf")).toStdString(), "the user's own file");
    EXPECT_EQ(dlg.control<QLineEdit>(Id::FirstLabelBox)->text().toStdString(), "3");
    EXPECT_TRUE(QDir(dir.path(QString())).entryList(QDir::Files) ==
                QStringList{QStringLiteral("labels.pdf")})
        << "no temporary file is left behind";
}
