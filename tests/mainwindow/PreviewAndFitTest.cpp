// The print preview, the question about labels that do not fit, and the mark under the label
// editor, driven through the main window. QM_SHOTS=/tmp/shots also saves pictures of them.
#include "MainWindowHarness.h"
#include "TempDir.h"
#include "labels/FitReport.h"
#include "labels/ui/PrintPreviewDialog.h"
#include "mainwindow/ControlIds.h"
#include "mainwindow/LabelFitMark.h"
#include "mainwindow/LabelListPane.h"
#include "mainwindow/MainCommands.h"
#include "mainwindow/MainMenu.h"
#include "platform/ui/DialogRunner.h"
#include "platform/ui/QtPrompt.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QTest>
#include <QTimer>
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

// One word far too wide for a 99 mm label at any size.
const std::string kTooWide(50, 'W');

// n addresses; the ones numbered in `wide` are too wide to fit.
void addLabels(CQuillmarkDlg& dlg, int n, std::initializer_list<int> wide = {}) {
    for (int k = 1; k <= n; ++k) {
        const bool tooWide = std::find(wide.begin(), wide.end(), k) != wide.end();
        dlg.labelList->labels.Add(
            tooWide ? kTooWide : "Person " + std::to_string(k) + "\r\n12 Mill Lane\r\nLower Upton");
    }
    dlg.labelList->currentLabel = n;
    dlg.labelList->ShowCurrentLabel();
    dlg.labelList->UpdateControls();
}

QString shotsDir() {
    return qEnvironmentVariable("QM_SHOTS");
}

} // namespace

TEST(PrintLabels, LabelsThatDoNotFitAreAskedAboutOnceBeforePrinting) {
    struct Case {
        Prompt::Answer answer;
        bool printed;
        const char* box;
    };
    const Case cases[] = {{Prompt::Answer::No, false, "1"}, {Prompt::Answer::Yes, true, "6"}};
    for (const Case& c : cases) {
        TempDir dir;
        MainWindowHarness h;
        h.store.values[QStringLiteral("Preferences")] = storedRecord();
        CQuillmarkDlg& dlg = h.open();
        addLabels(dlg, 5, {2, 4});
        const QString pdf = dir.path(QStringLiteral("out.pdf"));
        h.prompt.onPrinter = [&](QPrinter& printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            return true;
        };
        h.prompt.answer(c.answer);
        dlg.runCommand(Id::PrintLabelsCommand);
        ASSERT_EQ(h.prompt.shown.size(), 1u);
        EXPECT_EQ(h.prompt.shown[0].text,
                  QStringLiteral("2 labels do not fit their label: 2, 4. Print anyway?"));
        EXPECT_EQ(h.prompt.shown[0].buttons, Prompt::Buttons::YesNo);
        EXPECT_EQ(h.prompt.shown[0].icon, Prompt::Icon::Warning);
        EXPECT_EQ(QFile::exists(pdf), c.printed);
        EXPECT_EQ(dlg.control<QLineEdit>(Id::FirstLabelBox)->text(), QLatin1String(c.box));
    }
}

TEST(PrintPreview, FortyLabelsFromSevenOnThreeBySevenThenPrint) {
    TempDir dir;
    MainWindowHarness h;
    h.store.values[QStringLiteral("Preferences")] = storedRecord();
    CQuillmarkDlg& dlg = h.open();
    dlg.settings.prefs.geometry = {8, 0, 700, 423, 0, 0, 3, 7};
    addLabels(dlg, 40, {10});
    dlg.control<QLineEdit>(Id::FirstLabelBox)->setText(QStringLiteral("7"));

    // In the Labels menu, after its separator, enabled with labels to print.
    QMenu* labelsMenu = dlg.menu().menu(2);
    dlg.menu().update(labelsMenu);
    const auto actions = labelsMenu->actions();
    QAction* item = dlg.command(Id::PrintPreview);
    ASSERT_NE(item, nullptr);
    const auto at = actions.indexOf(item);
    ASSERT_GE(at, 1);
    EXPECT_TRUE(actions[at - 1]->isSeparator() || actions[at - 1]->text().contains("alibrate"));
    EXPECT_EQ(item->text(), QStringLiteral("&Print Preview...\tCtrl+Shift+P"));
    EXPECT_TRUE(item->isEnabled());

    const QString pdf = dir.path(QStringLiteral("out.pdf"));
    h.prompt.onPrinter = [&](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return true;
    };
    h.prompt.answer(Prompt::Answer::Yes);
    int opened = 0;
    HookGuard hook([&](QDialog& d) {
        auto* preview = qobject_cast<PrintPreviewDialog*>(&d);
        EXPECT_NE(preview, nullptr);
        if (preview == nullptr)
            return int(QDialog::Rejected);
        ++opened;
        preview->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(preview));
        EXPECT_EQ(preview->windowTitle(), QStringLiteral("Print Preview"));
        EXPECT_NE(preview->findChild<QLabel*>(QString(), Qt::FindChildrenRecursively), nullptr);
        const QLabel* fit = preview->findChild<QLabel*>(QStringLiteral("fitStatus"));
        EXPECT_EQ(
            fit->text(),
            QStringLiteral("Label 10 on this page does not fit its label (outlined in red)."));
        if (!shotsDir().isEmpty())
            preview->grab().save(shotsDir() + QStringLiteral("/preview-page1.png"));
        QTest::keyClick(preview, Qt::Key_PageDown);
        EXPECT_EQ(preview->currentPage(), 2);
        QTest::keyClick(preview, Qt::Key_PageDown);
        QTest::keyClick(preview, Qt::Key_PageDown);
        EXPECT_EQ(preview->currentPage(), 3); // 40 labels from position 7: three sheets
        if (!shotsDir().isEmpty())
            preview->grab().save(shotsDir() + QStringLiteral("/preview-page3.png"));
        EXPECT_EQ(h.prompt.printDialogs, 0); // nothing is printed from the preview itself
        const auto buttons = preview->findChildren<QPushButton*>();
        for (QPushButton* b : buttons)
            if (b->text() == QStringLiteral("&Print..."))
                b->click();
        return preview->result();
    });
    // The shortcut works from the label editor, where the user types.
    dlg.show();
    QApplication::setActiveWindow(&dlg);
    dlg.control(Id::LabelEditor)->setFocus();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dlg));
    QTest::keyClick(dlg.control(Id::LabelEditor), Qt::Key_P,
                    Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(opened, 1);
    // Print ran the print command: the print dialog, then the question, then the job.
    EXPECT_EQ(h.prompt.printDialogs, 1);
    ASSERT_EQ(h.prompt.shown.size(), 1u) << h.prompt.texts().join(u'|').toStdString();
    EXPECT_EQ(h.prompt.shown[0].text,
              QStringLiteral("1 label does not fit its label: 10. Print anyway?"));
    EXPECT_TRUE(QFile::exists(pdf));
    EXPECT_EQ(dlg.control<QLineEdit>(Id::FirstLabelBox)->text(), QStringLiteral("5"));
}

TEST(PrintPreview, ClosingPrintsNothing) {
    MainWindowHarness h;
    h.store.values[QStringLiteral("Preferences")] = storedRecord();
    CQuillmarkDlg& dlg = h.open();
    addLabels(dlg, 3);
    HookGuard hook([&](QDialog& d) {
        d.reject();
        return d.result();
    });
    dlg.runCommand(Id::PrintPreview);
    EXPECT_EQ(h.prompt.printDialogs, 0);
    EXPECT_TRUE(h.prompt.shown.empty());

    // Without labels there is nothing to preview.
    dlg.labelList->DeleteLabel();
    dlg.labelList->DeleteLabel();
    dlg.labelList->DeleteLabel();
    EXPECT_FALSE(dlg.isCommandEnabled(Id::PrintPreview));
}

TEST(LabelFitMark, FollowsTheCurrentLabelAsTheUserTypes) {
    MainWindowHarness h;
    h.store.values[QStringLiteral("Preferences")] = storedRecord();
    CQuillmarkDlg& dlg = h.open();
    addLabels(dlg, 2);
    auto* editor = dlg.control<QPlainTextEdit>(Id::LabelEditor);
    const LabelFitMark& mark = *dlg.mainCommands->labelFitMark();
    EXPECT_TRUE(mark.text().isEmpty());

    struct Case {
        QString text;
        const char* mark;
    };
    const Case cases[] = {
        {QStringLiteral("Ann Smith\n1 High St"), ""},
        // The blank is past the middle, where the split looks for it.
        {QStringLiteral("WWWWWWWWWWWWWWWWWWWWWW WWWWWWWWWWWWWWWWWWWW"),
         "Text too long — will be split"},
        {QString::fromStdString(kTooWide), "Text too long — will not fit"},
        {QString(70, QLatin1Char('i')), "Line too long — will be cut"},
        {QStringLiteral("1\n2\n3\n4\n5\n6\n7\n8\n9"),
         "More than 8 lines — the last line will not print"},
        {QString(), ""},
    };
    for (const Case& c : cases) {
        editor->setPlainText(c.text);
        EXPECT_EQ(mark.text().toStdString(), c.mark) << c.text.toStdString();
    }

    // Typing, key by key.
    editor->setPlainText(QStringLiteral("Ann"));
    editor->moveCursor(QTextCursor::End);
    QTest::keyClicks(editor, QString::fromStdString(" " + kTooWide));
    EXPECT_EQ(mark.text(), QStringLiteral("Text too long — will not fit"));
    if (!shotsDir().isEmpty()) {
        dlg.resize(640, 700);
        dlg.show();
        QTest::qWait(50);
        h.shoot(QStringLiteral("editor-fit-mark"));
    }
    // Moving to another label shows its own state.
    dlg.labelList->labels.SetAt(0, "Short\r\nText");
    dlg.labelList->currentLabel = 1;
    dlg.labelList->ShowCurrentLabel();
    EXPECT_TRUE(mark.text().isEmpty());
}

TEST(PrintPreview, WarningPicture) {
    if (shotsDir().isEmpty())
        GTEST_SKIP() << "QM_SHOTS not set";
    // The question as the program's own prompt shows it.
    QtPrompt real;
    setPrompt(&real);
    QTimer::singleShot(200, [] {
        QWidget* box = QApplication::activeModalWidget();
        ASSERT_NE(box, nullptr);
        box->grab().save(shotsDir() + QStringLiteral("/fit-warning.png"));
        QTest::keyClick(box, Qt::Key_Escape);
    });
    showMessage(FitReport::question({12, 45, 46}), kAppCaption, Prompt::Buttons::YesNo,
                Prompt::Icon::Warning);
    setPrompt(nullptr);
}
