#include "mainwindow/MainCommands.h"

#include "contacts/ContactText.h"
#include "contacts/ui/CCategoriesPP.h"
#include "contacts/ui/CCategoryDialog.h"
#include "controls/SplashWindow.h"
#include "controls/UpDownControl.h"
#include "labels/JobPreview.h"
#include "labels/LabelPrinter.h"
#include "labels/PrinterCalibration.h"
#include "labels/ui/CCalibrationDialog.h"
#include "labels/ui/CDimensionsPP.h"
#include "labels/ui/CSettingsSheet.h"
#include "labels/ui/PrintPreviewDialog.h"
#include "labels/ui/PrintProgressDialog.h"
#include "labels/ui/PrinterDevice.h"
#include "mainwindow/CQuillmarkDlg.h"
#include "mainwindow/ContactsPane.h"
#include "mainwindow/ControlIds.h"
#include "mainwindow/LabelFitMark.h"
#include "mainwindow/LabelListPane.h"
#include "online/HttpClient.h"
#include "online/OnlineSettings.h"
#include "online/UpdateCheck.h"
#include "online/VendorSite.h"
#include "platform/AppPaths.h"
#include "platform/Prompt.h"
#include "platform/Shell.h"
#include "platform/Text.h"
#include "platform/ui/DialogRunner.h"
#include "platform/ui/HelpWindow.h"

#include <QAbstractButton>
#include <QFileInfo>
#include <QLineEdit>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRadioButton>
#include <QShortcut>

MainCommands::MainCommands(CQuillmarkDlg& owner) : QObject(&owner), dlg(owner) {
    dlg.setCommand(Id::ShowHelp, [this] { ShowHelp(); });
    dlg.setCommand(Id::AboutQuillmark, [this] { ShowAbout(); });
    dlg.setCommand(Id::Settings, [this] { OnSettings(); });
    dlg.setCommand(Id::CalibratePrinter, [this] { CalibratePrinter(); });
    dlg.setCommand(Id::CheckForUpdates, [this] { OnCheckForUpdates(); });
    dlg.setCommand(
        Id::PrintLabelsCommand, [this] { OnPrintLabels(); },
        [this] { return !dlg.labelList->labels.IsEmpty(); });
    dlg.setCommand(
        Id::PrintPreview, [this] { PrintPreview(); },
        [this] { return !dlg.labelList->labels.IsEmpty(); });
    // A shortcut of its own: the menu item's enabled state is only brought up to date as
    // its menu opens.
    auto* preview = new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P), &dlg);
    connect(preview, &QShortcut::activated, this, [this] { dlg.runCommand(Id::PrintPreview); });
    dlg.setCommand(
        Id::AssignCategory, [this] { AssignCategory(); },
        [this] {
            return !dlg.contactsPane->SelectedContacts().empty() &&
                   !dlg.categories.categoryNames.empty();
        });
    connect(dlg.control<QAbstractButton>(Id::SettingsButton), &QAbstractButton::clicked, this,
            [this] { OnSettings(); });
    connect(dlg.control<QAbstractButton>(Id::PrintLabels), &QAbstractButton::clicked, this,
            [this] { OnPrintLabels(); });
    connect(dlg.control<QAbstractButton>(Id::HelpButton), &QAbstractButton::clicked, this,
            [this] { ShowHelp(); });
    connect(dlg.control<QAbstractButton>(Id::WebsiteButton), &QAbstractButton::clicked, this,
            [this] { ShowWebsite(); });
    fitMark = new LabelFitMark(dlg);
    auto* f1 = new QShortcut(QKeySequence::HelpContents, &dlg);
    connect(f1, &QShortcut::activated, this, [this] { ShowHelp(); });
}

void MainCommands::ShowHelp() {
    if (!help)
        help = new HelpWindow(&dlg);
    if (!help->ShowContents(AppPaths::helpFolder())) {
        showMessage(QStringLiteral("Sorry, couldn't load help."));
        return;
    }
    help->show();
    help->raise();
    help->activateWindow();
}

void MainCommands::ShowWebsite() {
    const QUrl home(dlg.vendorSite().homePage());
    if (!Shell::open(home))
        showMessage(Shell::noBrowserMessage(home));
}

void MainCommands::OnCheckForUpdates() {
    const OnlineSettings online = OnlineSettings::Read(dlg.settingsStore());
    HttpClient http(online.http);
    showMessage(UpdateCheck::Message(UpdateCheck::Check(http, online.updateUrl)));
}

void MainCommands::ShowAbout() {
    CSplashWindow::ShowSplash(&dlg, QString(), 0);
}

void MainCommands::OnSettings() {
    LabelListPane& list = *dlg.labelList;
    list.StoreEditedLabel();
    CSettingsSheet sheet(&dlg);
    sheet.setFormat(dlg.settings.prefs, dlg.settings.fontName, dlg.settings.labelName);
    sheet.setLabels(list.labels.Strings(), list.currentLabel - 1);
    auto* categoriesPage = new CCategoriesPP(dlg.categories.categoryNames,
                                             dlg.settings.prefs.usStyle != 0, dlg.settingsStore());
    sheet.addPage(categoriesPage, CCategoriesPP::title());
    sheet.dimensionsPage().calibration = [this](const QString& printer) {
        return PrinterCalibration(dlg.settingsStore()).offsetFor(printer);
    };
    sheet.setStartOnDimensions(dlg.dimensionsUndefined != 0);
    dlg.dimensionsUndefined = 0;
    if (sheet.run() != QDialog::Accepted)
        return;
    sheet.writeBack(dlg.settings.prefs, dlg.settings.fontName, dlg.settings.labelName);
    fitMark->refresh(); // the sheet or the font may have changed

    const CCategoriesPP::Outcome outcome = categoriesPage->Commit(dlg.categories);
    if (outcome.namesChanged) {
        dlg.contactsPane->FillCategoryCombo();
        if (dlg.categories.categoryNames.empty() && dlg.filterByCategory) {
            dlg.control<QRadioButton>(Id::ShowAll)->setChecked(true);
            dlg.contactsPane->SetCategoryFilter(true);
        } else {
            dlg.contactsPane->RefreshContacts(false);
        }
    }
    if (outcome.usStyleChanged)
        dlg.settings.prefs.usStyle = outcome.usStyle ? 1 : 0;
    if (outcome.usStyleChanged ||
        (outcome.addressBookFolderChanged &&
         dlg.settings.prefs.contactSource == ContactSource::kWindowsContacts))
        dlg.contactsPane->RefreshContacts(true);
    list.labelsModified = 1; // the label file carries the format
    list.UpdateControls();
}

bool MainCommands::refuseUndefinedDimensions() {
    if (!dlg.dimensionsUndefined)
        return false;
    showMessage(QStringLiteral("Please define dimensions for your labels before printing."));
    OnSettings();
    return true;
}

void MainCommands::OnPrintLabels() {
    if (refuseUndefinedDimensions())
        return;
    LabelListPane& list = *dlg.labelList;
    list.StoreEditedLabel();
    const int first = dlg.control<UpDownControl>(Id::FirstLabelSpin)->position();
    CLabelPrinter job(dlg.settings.prefs, Text::fromQString(dlg.settings.fontName),
                      list.labels.Strings(), askForPrinter(dlg.settings.prefs.geometry));
    job.confirmFits = [](const FitReport& report) {
        return showMessage(FitReport::question(report.misfits()), kAppCaption,
                           Prompt::Buttons::YesNo, Prompt::Icon::Warning) == Prompt::Answer::Yes;
    };
    job.calibration = [this](const QString& printer) {
        return PrinterCalibration(dlg.settingsStore()).offsetFor(printer);
    };
    if (!dlg.labelFileName.isEmpty())
        job.documentName = QFileInfo(dlg.labelFileName).fileName();
    PrintProgressDialog progress(job, &dlg);
    // Only a job the printer took whole moves the position: after a cancel or a failure the
    // same labels are printed again from the same place.
    const PrintOutcome outcome = job.Print(false, first);
    if (outcome.printedWhole()) {
        // Both the record and the box keep the position in one byte.
        dlg.settings.prefs.firstLabel = static_cast<std::uint8_t>(outcome.nextPosition());
        dlg.control<UpDownControl>(Id::FirstLabelSpin)->setPosition(dlg.settings.prefs.firstLabel);
    }
}

void MainCommands::PrintPreview() {
    if (refuseUndefinedDimensions())
        return;
    LabelListPane& list = *dlg.labelList;
    list.StoreEditedLabel();
    const int first = dlg.control<UpDownControl>(Id::FirstLabelSpin)->position();
    // Laid out for the printer the print dialog starts with, on the paper it will be asked for.
    QPrinter printer(QPrinter::HighResolution);
    const SheetGeometry& sheet = dlg.settings.prefs.geometry;
    PrinterDevice::useSheetPaper(printer, sheet);
    const QPageLayout layout = printer.pageLayout();
    JobPreview job(
        dlg.settings.prefs, Text::fromQString(dlg.settings.fontName), list.labels.Strings(), first,
        printer.logicalDpiX(), printer.logicalDpiY(),
        QPageSize(layout.fullRect(QPageLayout::Millimeter).size(), QPageSize::Millimeter));
    PrintPreviewDialog preview(job, &dlg);
    const QString name =
        printer.outputFormat() == QPrinter::NativeFormat ? printer.printerName() : QString();
    preview.setPaperWarning(
        SheetPaper::overhang(sheet, PrinterDevice::printed(printer), name).value_or(QString()));
    if (DialogRunner::exec(preview) == QDialog::Accepted && preview.printRequested())
        OnPrintLabels();
}

void MainCommands::CalibratePrinter() {
    PrinterCalibration calibration(dlg.settingsStore());
    CCalibrationDialog dialog(calibration, dlg.settings.prefs.geometry,
                              QPrinterInfo::availablePrinterNames(),
                              QPrinterInfo::defaultPrinterName(), &dlg);
    (void)DialogRunner::exec(dialog);
}

void MainCommands::AssignCategory() {
    std::vector<std::string> selected;
    const auto& contacts = dlg.contactList.contacts;
    for (int index : dlg.contactsPane->SelectedContacts())
        selected.push_back(ContactText::DisplayText(contacts.GetAt(index)).text);
    if (CCategoryDialog::Run(dlg.categories, std::move(selected), &dlg))
        dlg.contactsPane->RefreshContacts(false);
}
