#include "MainWindowHarness.h"
#include "contacts/CCSVFile.h"
#include "contacts/CMyContactsArray.h"
#include "contacts/ui/CCategoryDialog.h"
#include "contacts/ui/CEditDetails.h"
#include "contacts/ui/CEditNameDialog.h"
#include "contacts/ui/ImportCSVDlg.h"
#include "labels/JobPreview.h"
#include "labels/LabelPreferences.h"
#include "labels/PrinterCalibration.h"
#include "labels/SheetLibrary.h"
#include "labels/ui/CCalibrationDialog.h"
#include "labels/ui/CSettingsSheet.h"
#include "labels/ui/CSheetPickerDialog.h"
#include "labels/ui/PrintPreviewDialog.h"
#include "mainwindow/CRepeatDialog.h"
#include "mainwindow/ControlIds.h"
#include "online/RedirectListener.h"
#include "online/ui/CClientCredentialsDlg.h"
#include "online/ui/CGetGroups.h"
#include "online/ui/CGoogleAuth.h"
#include "platform/ui/DialogRunner.h"
#include "platform/ui/HelpWindow.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QPageSize>
#include <QScrollBar>
#include <QTabWidget>
#include <gtest/gtest.h>

namespace {

// A control is one the user can reach with Tab, a button or a scroll bar of its own. The edit
// field inside a combo or spin box is that box's own part, and a scroll area's bars are the
// area's: the box or area carries the name.
bool interactive(const QWidget* w) {
    for (const QWidget* p = w->parentWidget(); p != nullptr; p = p->parentWidget()) {
        if (qobject_cast<const QComboBox*>(p) || qobject_cast<const QAbstractSpinBox*>(p))
            return false;
        if (qobject_cast<const QScrollBar*>(w) && qobject_cast<const QAbstractScrollArea*>(p))
            return false;
    }
    return (w->focusPolicy() & Qt::TabFocus) || qobject_cast<const QAbstractButton*>(w) ||
           qobject_cast<const QScrollBar*>(w);
}

QString describe(const QWidget* w) {
    QString out = QString::fromLatin1(w->metaObject()->className());
    if (!w->objectName().isEmpty())
        out += QLatin1Char(' ') + w->objectName();
    return out + QStringLiteral(" at ") + QString::number(w->x()) + QLatin1Char(',') +
           QString::number(w->y()) + QStringLiteral(" in ") +
           QString::fromLatin1(w->parentWidget()->metaObject()->className());
}

// The controls of window, shown as the user sees them, that a screen reader could name only
// by their kind. Every page of a tab widget is looked at.
std::string nameless(QWidget* window) {
    window->show();
    QApplication::processEvents();
    QStringList out;
    auto walk = [&] {
        for (QWidget* w : window->findChildren<QWidget*>()) {
            if (!w->isVisibleTo(window) || !interactive(w))
                continue;
            QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(w);
            const QString name = iface ? iface->text(QAccessible::Name).trimmed() : QString();
            if (name.isEmpty() && !out.contains(describe(w)))
                out << describe(w);
        }
    };
    walk();
    for (QTabWidget* tabs : window->findChildren<QTabWidget*>()) {
        for (int i = 0; i < tabs->count(); ++i) {
            tabs->setCurrentIndex(i);
            QApplication::processEvents();
            walk();
        }
    }
    window->hide();
    return out.join(QStringLiteral("; ")).toStdString();
}

// Removes the dialog hook when a test ends, whatever happens.
struct HookGuard {
    explicit HookGuard(DialogRunner::Hook hook) { DialogRunner::setHook(std::move(hook)); }
    ~HookGuard() { DialogRunner::setHook({}); }
};

} // namespace

TEST(AccessibleNames, EveryControlOfTheMainWindowAndTheSettingsSheetHasOne) {
    MainWindowHarness h;
    CQuillmarkDlg& dlg = h.open();
    EXPECT_EQ(nameless(&dlg), "");
    std::string sheetNameless;
    bool sheetSeen = false;
    HookGuard guard([&](QDialog& d) {
        if (auto* sheet = qobject_cast<CSettingsSheet*>(&d)) {
            sheetSeen = true;
            sheetNameless = nameless(sheet);
        }
        return int(QDialog::Rejected);
    });
    dlg.runCommand(Id::Settings);
    EXPECT_TRUE(sheetSeen);
    EXPECT_EQ(sheetNameless, "");
}

TEST(AccessibleNames, EveryControlOfEachDialogHasOne) {
    ScriptedPrompt prompt;
    MemorySettingsStore store;
    std::vector<std::pair<QString, std::unique_ptr<QWidget>>> windows;
    CCSVFile file(QByteArray("Ann,1 Road,Springfield\nBen,2 Lane,Shelbyville\n"),
                  QStringLiteral("/x/people.csv"), false);
    ASSERT_EQ(file.DetectFormat(), CCSVFile::Foreign);
    windows.emplace_back(QStringLiteral("import"), std::make_unique<ImportCSVDlg>(file));
    windows.emplace_back(QStringLiteral("edit details"),
                         std::make_unique<CEditDetails>(QStringLiteral("Ann\r\n1 Road\r\n")));
    windows.emplace_back(QStringLiteral("edit name"),
                         std::make_unique<CEditNameDialog>(QStringLiteral("Family")));
    windows.emplace_back(QStringLiteral("repeat"), std::make_unique<CRepeatDialog>(3));
    CMyContactsArray assignments;
    windows.emplace_back(QStringLiteral("category"),
                         std::make_unique<CCategoryDialog>(std::vector<std::string>{"Family"},
                                                           assignments,
                                                           std::vector<std::string>{"Ann"}));
    PrinterCalibration calibration(store);
    windows.emplace_back(QStringLiteral("calibration"),
                         std::make_unique<CCalibrationDialog>(calibration, SheetGeometry{},
                                                              QStringList{QStringLiteral("Office")},
                                                              QStringLiteral("Office")));
    windows.emplace_back(QStringLiteral("sheet picker"),
                         std::make_unique<CSheetPickerDialog>(SheetLibrary::builtIn().sheets));
    const std::vector<std::string> labels{"Ann\r\n1 Road\r\n", "Ben\r\n2 Lane\r\n"};
    JobPreview job(LabelPreferences{}, "Sans", labels, 1, 300, 300, QPageSize(QPageSize::A4));
    windows.emplace_back(QStringLiteral("preview"), std::make_unique<PrintPreviewDialog>(job));
    windows.emplace_back(QStringLiteral("client"), std::make_unique<CClientCredentialsDlg>());
    windows.emplace_back(QStringLiteral("groups"),
                         std::make_unique<CGetGroups>(
                             QStringList{QStringLiteral("Friends"), QStringLiteral("Club")}, 0));
    RedirectListener listener(QStringLiteral("state"));
    windows.emplace_back(QStringLiteral("sign-in"),
                         std::make_unique<CGoogleAuth>(
                             QStringLiteral("https://accounts.example.org/auth"), listener));
    windows.emplace_back(QStringLiteral("help"), std::make_unique<HelpWindow>());
    for (auto& [what, window] : windows)
        EXPECT_EQ(nameless(window.get()), "") << what.toStdString();
}
