// What a desktop user expects of the main window beyond its template: access letters and the
// standard shortcuts, visible separators and keyboard focus, wrapped tooltips, and a minimum
// size that counts the whole window.
#include "MainWindowHarness.h"
#include "controls/HoverButton.h"
#include "mainwindow/ControlIds.h"
#include "mainwindow/MainMenu.h"
#include "mainwindow/TipText.h"

#include <QAction>
#include <QApplication>
#include <QFontMetrics>
#include <QMenu>
#include <QPlainTextEdit>
#include <QSet>
#include <QTest>
#include <QToolTip>
#include <gtest/gtest.h>

TEST(DesktopHabits, EveryMenuItemHasItsOwnAccessLetter) {
    MainWindowHarness h;
    CQuillmarkDlg& dlg = h.open();
    for (int m = 0; dlg.menu().menu(m); ++m) {
        QMenu* menu = dlg.menu().menu(m);
        QSet<QChar> letters;
        for (QAction* a : menu->actions()) {
            if (a->isSeparator())
                continue;
            const QString text = a->text();
            const qsizetype amp = text.indexOf(QLatin1Char('&'));
            ASSERT_GE(amp, 0) << text.toStdString();
            ASSERT_LT(amp + 1, text.size()) << text.toStdString();
            const QChar letter = text[amp + 1].toLower();
            EXPECT_FALSE(letters.contains(letter)) << text.toStdString();
            letters.insert(letter);
        }
    }
}

// The standard keys run their commands through the same rules and questions as the menu,
// also after the menu showed the item disabled.
TEST(DesktopHabits, StandardShortcutsRunTheirCommands) {
    MainWindowHarness h;
    CQuillmarkDlg& dlg = h.open();
    dlg.show();
    QApplication::setActiveWindow(&dlg);
    QMenu* file = dlg.menu().menu(0);
    dlg.menu().update(file); // no labels: Print and Save Labels show disabled
    emit file->aboutToHide();

    QTest::keyClick(&dlg, Qt::Key_O, Qt::ControlModifier);
    ASSERT_EQ(h.prompt.fileRequests.size(), 1u); // Open Contact List asked for a file
    EXPECT_TRUE(h.prompt.fileRequests[0].filter.startsWith(QStringLiteral("CSV Files")));

    dlg.runCommand(Id::AddNewLabel);
    QTest::keyClicks(dlg.control(Id::LabelEditor), QStringLiteral("Ann Lee"));
    dlg.dimensionsUndefined = 0;
    QTest::keyClick(&dlg, Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(h.prompt.printDialogs, 1); // the print dialog, cancelled by the script

    h.prompt.answer(Prompt::Answer::Cancel);
    QTest::keyClick(&dlg, Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(h.prompt.texts(), QStringList{QStringLiteral("Save changes to unsaved labels?")});
    EXPECT_TRUE(dlg.isVisible());

    EXPECT_EQ(dlg.command(Id::SaveLabels)->shortcut(), QKeySequence(QKeySequence::Save));
}

// Qt hides a separator at the start or the end of a menu, or next to another; every separator
// of the Contacts and Labels menus shows (the Contacts menu starts with one).
TEST(DesktopHabits, EverySeparatorShows) {
    MainWindowHarness h;
    CQuillmarkDlg& dlg = h.open();
    dlg.show();
    ASSERT_TRUE(dlg.menu().menu(1)->actions().first()->isSeparator());
    for (int index : {1, 2}) {
        QMenu* menu = dlg.menu().menu(index);
        menu->popup(dlg.mapToGlobal(QPoint(10, 10)));
        for (QAction* a : menu->actions()) {
            if (a->isSeparator()) {
                EXPECT_GT(menu->actionGeometry(a).height(), 0) << index;
            }
        }
        menu->hide();
    }
}

TEST(DesktopHabits, HoverButtonsShowTheKeyboardFocus) {
    MainWindowHarness h;
    CQuillmarkDlg& dlg = h.open();
    dlg.show();
    QApplication::setActiveWindow(&dlg);
    auto* button = dlg.control<CHoverButton>(Id::AddButton);
    dlg.control(Id::FirstLabelBox)->setFocus(Qt::TabFocusReason);
    const QImage without = button->grab().toImage();
    // Tab until the button has the focus, as a keyboard user reaches it.
    for (int i = 0; i < 40 && !button->hasFocus(); ++i)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_TRUE(button->hasFocus());
    const QImage with = button->grab().toImage();
    EXPECT_NE(with, without);
}

TEST(DesktopHabits, TooltipsWrapAt260Pixels) {
    MainWindowHarness h;
    CQuillmarkDlg& dlg = h.open();
    const QString tip = dlg.control(Id::ShowCategory)->toolTip();
    const QStringList lines = tip.split(QLatin1Char('\n'));
    EXPECT_GT(lines.size(), 1);
    const QFontMetrics metrics(QToolTip::font());
    for (const QString& line : lines)
        EXPECT_LE(metrics.horizontalAdvance(line), TipText::kWrapWidth) << line.toStdString();
    EXPECT_EQ(lines.join(QLatin1Char(' ')),
              QStringLiteral("When selected, only contacts belonging to the category below are "
                             "shown"));
    // A contact's lines stay lines; a long word keeps a line of its own.
    QFont font;
    EXPECT_EQ(TipText::wrap(QStringLiteral("Ann\nLeeds"), font), QStringLiteral("Ann\nLeeds"));
    const QString word(80, QLatin1Char('w'));
    EXPECT_EQ(TipText::wrap(QStringLiteral("a ") + word + QStringLiteral(" b"), font),
              QStringLiteral("a\n") + word + QStringLiteral("\nb"));
}

// The minimum of 500 x 645 pixels holds for the whole window, menu and frame included.
TEST(DesktopHabits, MinimumSizeIsTheWholeWindows) {
    MainWindowHarness h;
    CQuillmarkDlg& dlg = h.open();
    dlg.show();
    dlg.resize(300, 300);
    EXPECT_EQ(dlg.frameGeometry().size(), QSize(500, 645));
}
