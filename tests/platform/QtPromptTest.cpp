#include "platform/ui/QtPrompt.h"
#include "DialogDriver.h"
#include "TempDir.h"

#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// Types a name into the real save dialog and presses Save.
void typeAndSave(QFileDialog* dialog, const QString& name) {
    auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(edit, nullptr);
    edit->clear();
    QTest::keyClicks(edit, name);
    QMetaObject::invokeMethod(dialog, "accept"); // what the Save button does
}

struct SaveCase {
    const char* filter;
    const char* extension;
};

class SaveDialog : public ::testing::TestWithParam<SaveCase> {
protected:
    Prompt::FileRequest request(const TempDir& dir) const {
        Prompt::FileRequest r;
        r.filter = QString::fromLatin1(GetParam().filter);
        r.defaultExtension = QString::fromLatin1(GetParam().extension);
        r.directory = dir.path(QString()).chopped(1);
        return r;
    }
    QString fileName(const char* base) const {
        QString ext = QString::fromLatin1(GetParam().extension);
        if (ext.startsWith(QLatin1String("*.")))
            ext = ext.mid(2);
        return QString::fromLatin1(base) + QLatin1Char('.') + ext;
    }
};

} // namespace

TEST_P(SaveDialog, ABareNameAsksBeforeReplacingTheFileWithTheExtension) {
    TempDir dir;
    const QString existing = dir.write(fileName("family"), "the old content");
    QtPrompt qt;
    QString question;
    DialogDriver driver;
    driver.then<QFileDialog>([](QFileDialog* d) { typeAndSave(d, QStringLiteral("family")); })
        .then<QMessageBox>([&question](QMessageBox* box) {
            question = box->text();
            box->button(QMessageBox::No)->click();
        })
        .then<QFileDialog>([](QFileDialog* d) { d->reject(); });
    const auto chosen = qt.saveFile(request(dir));
    ASSERT_TRUE(driver.finished()) << driver.failure().toStdString();
    EXPECT_FALSE(chosen.has_value());
    EXPECT_TRUE(question.contains(fileName("family"))) << question.toStdString();
    EXPECT_EQ(dir.read(fileName("family")), QByteArray("the old content"));
    (void)existing;
}

TEST_P(SaveDialog, ReplacingGivesTheNameWithItsExtension) {
    TempDir dir;
    const QString existing = dir.write(fileName("family"), "old");
    QtPrompt qt;
    DialogDriver driver;
    driver.then<QFileDialog>([](QFileDialog* d) { typeAndSave(d, QStringLiteral("family")); })
        .then<QMessageBox>([](QMessageBox* box) { box->button(QMessageBox::Yes)->click(); });
    const auto chosen = qt.saveFile(request(dir));
    ASSERT_TRUE(driver.finished()) << driver.failure().toStdString();
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(QFileInfo(*chosen).canonicalFilePath(), QFileInfo(existing).canonicalFilePath());
}

TEST_P(SaveDialog, ANewNameIsNotAskedAbout) {
    TempDir dir;
    QtPrompt qt;
    DialogDriver driver;
    driver.then<QFileDialog>([](QFileDialog* d) { typeAndSave(d, QStringLiteral("friends")); });
    const auto chosen = qt.saveFile(request(dir));
    ASSERT_TRUE(driver.finished()) << driver.failure().toStdString();
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(QFileInfo(*chosen).fileName(), fileName("friends"));
}

INSTANTIATE_TEST_SUITE_P(ContactsLabelsAndDimensions, SaveDialog,
                         ::testing::Values(SaveCase{"CSV Files (*.csv)|*.csv||", "csv"},
                                           SaveCase{"Label Files (*.lbl)|*.lbl||", "lbl"},
                                           SaveCase{"DIM Files (*.dim)|*.dim||", "dim"}));

// The job prints every sheet it makes, so the dialog must not offer a page range or a
// selection that the job would ignore; printing to a PDF file is offered.
TEST(PrintDialog, OffersAPdfFileButNoPageRangeOrSelection) {
    QtPrompt qt;
    QPrinter printer;
    bool rangeOffered = true, selectionOffered = true, fileOffered = false;
    DialogDriver driver;
    driver.then<QPrintDialog>([&](QPrintDialog* d) {
        auto* group = d->findChild<QWidget*>(QStringLiteral("gbPrintRange"));
        auto* range = d->findChild<QRadioButton*>(QStringLiteral("printRange"));
        auto* selection = d->findChild<QRadioButton*>(QStringLiteral("printSelection"));
        auto* printers = d->findChild<QComboBox*>(QStringLiteral("printers"));
        if (group && range && selection && printers) {
            rangeOffered = !group->isHidden() && range->isEnabled();
            selectionOffered = !group->isHidden() && !selection->isHidden();
            fileOffered = false;
            for (int i = 0; i < printers->count(); ++i)
                fileOffered = fileOffered || printers->itemText(i).contains(QLatin1String("File"));
        }
        d->reject();
    });
    EXPECT_FALSE(qt.choosePrinter(printer));
    ASSERT_TRUE(driver.finished()) << driver.failure().toStdString();
    EXPECT_FALSE(rangeOffered);
    EXPECT_FALSE(selectionOffered);
    EXPECT_TRUE(fileOffered);
}
