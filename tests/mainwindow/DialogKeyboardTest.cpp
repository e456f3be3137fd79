#include "MainWindowHarness.h"
#include "contacts/ui/CCategoriesPP.h"
#include "contacts/ui/CSimpleCombo.h"
#include "labels/ui/CSettingsSheet.h"
#include "mainwindow/ControlIds.h"
#include "platform/ui/DialogRunner.h"

#include <QApplication>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// Removes the dialog hook when a test ends, whatever happens.
struct HookGuard {
    explicit HookGuard(DialogRunner::Hook hook) { DialogRunner::setHook(std::move(hook)); }
    ~HookGuard() { DialogRunner::setHook({}); }
};

} // namespace

TEST(DialogKeyboard, EnterInTheCategoryNameRunsAddAndKeepsTheSheetOpen) {
    MainWindowHarness h;
    CQuillmarkDlg& dlg = h.open();
    bool openAfterEnter = false;
    QStringList entries;
    QString edit;
    HookGuard guard([&](QDialog& d) {
        auto* sheet = qobject_cast<CSettingsSheet*>(&d);
        if (sheet == nullptr)
            return int(QDialog::Rejected);
        auto* page = sheet->findChild<CCategoriesPP*>();
        sheet->show();
        sheet->tabs().setCurrentWidget(page);
        sheet->activateWindow();
        QApplication::setActiveWindow(sheet);
        auto* combo = page->control<CSimpleCombo>(CCategoriesPP::NameCombo);
        combo->lineEdit()->setFocus();
        QTest::keyClicks(combo->lineEdit(), QStringLiteral("Club"));
        QTest::keyClick(combo->lineEdit(), Qt::Key_Return);
        QApplication::processEvents();
        openAfterEnter = sheet->isVisible();
        for (int i = 0; i < combo->count(); ++i)
            entries << combo->itemText(i);
        edit = combo->editText();
        sheet->pressCancel();
        return sheet->result();
    });
    dlg.runCommand(Id::Settings);
    EXPECT_TRUE(openAfterEnter);
    EXPECT_EQ(entries, QStringList{QStringLiteral("Club")});
    EXPECT_EQ(edit, QStringLiteral("Club"));
    EXPECT_TRUE(dlg.categories.categoryNames.empty()); // Cancel keeps the names as they were
}
