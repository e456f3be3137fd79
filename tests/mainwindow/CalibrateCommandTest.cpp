#include "MainWindowHarness.h"
#include "labels/PrinterCalibration.h"
#include "labels/ui/CCalibrationDialog.h"
#include "mainwindow/ControlIds.h"
#include "mainwindow/MainMenu.h"
#include "platform/ui/DialogRunner.h"

#include <QAction>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QMenu>
#include <QMenuBar>
#include <gtest/gtest.h>

// "Calibrate printer..." ends the Labels menu and opens the dialog on the window's settings
// and sheet geometry; what the dialog stores lands in the settings, not in the record.
TEST(CalibrateCommand, LabelsMenuOpensTheDialogOnTheSettings) {
    MainWindowHarness h;
    CQuillmarkDlg& dlg = h.open();
    QMenu* labels = nullptr;
    for (QMenu* m : dlg.findChildren<QMenu*>())
        if (m->title() == QLatin1String("&Labels"))
            labels = m;
    ASSERT_NE(labels, nullptr);
    const QList<QAction*> items = labels->actions();
    ASSERT_FALSE(items.isEmpty());
    EXPECT_EQ(items.back()->text().remove(QLatin1Char('&')),
              QStringLiteral("Calibrate printer..."));
    EXPECT_EQ(items.back()->data().toInt(), Id::CalibratePrinter);
    EXPECT_TRUE(dlg.isCommandEnabled(Id::CalibratePrinter));

    const QVariant record = h.store.values.value(QStringLiteral("Preferences"));
    int opened = 0;
    DialogRunner::setHook([&](QDialog& d) {
        auto* dialog = qobject_cast<CCalibrationDialog*>(&d);
        EXPECT_NE(dialog, nullptr);
        if (dialog == nullptr)
            return int(QDialog::Rejected);
        ++opened;
        EXPECT_EQ(dialog->windowTitle(), CCalibrationDialog::kTitle);
        // Stand in for a printer, as the machine running the tests may have none.
        dialog->printerBox()->addItem(QStringLiteral("Test printer"));
        dialog->printerBox()->setEnabled(true);
        dialog->printerBox()->setCurrentText(QStringLiteral("Test printer"));
        dialog->rightBox()->setEnabled(true);
        dialog->downBox()->setEnabled(true);
        dialog->rightBox()->setValue(1.5);
        dialog->downBox()->setValue(-0.7);
        dialog->accept();
        return dialog->result();
    });
    dlg.runCommand(Id::CalibratePrinter);
    DialogRunner::setHook({});
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(PrinterCalibration(h.store).offsetFor(QStringLiteral("Test printer")),
              (PrintOffset{15, -7}));
    EXPECT_EQ(h.store.values.value(QStringLiteral("Preferences")), record);
}
