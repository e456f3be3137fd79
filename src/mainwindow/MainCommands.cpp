#include "mainwindow/MainCommands.h"

#include "controls/SplashWindow.h"
#include "mainwindow/CQuillmarkDlg.h"
#include "mainwindow/ControlIds.h"
#include "mainwindow/HelpWindow.h"
#include "online/VendorSite.h"
#include "platform/AppPaths.h"
#include "platform/Prompt.h"
#include "platform/Shell.h"

#include <QAbstractButton>
#include <QShortcut>

MainCommands::MainCommands(CQuillmarkDlg& owner) : QObject(&owner), dlg(owner) {
    dlg.setCommand(Id::ShowHelp, [this] { ShowHelp(); });
    dlg.setCommand(Id::AboutQuillmark, [this] { ShowAbout(); });
    connect(dlg.control<QAbstractButton>(Id::HelpButton), &QAbstractButton::clicked, this,
            [this] { ShowHelp(); });
    connect(dlg.control<QAbstractButton>(Id::WebsiteButton), &QAbstractButton::clicked, this,
            [this] { ShowWebsite(); });
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

void MainCommands::ShowWebsite() { (void)Shell::open(QUrl(dlg.vendorSite().homePage())); }

void MainCommands::ShowAbout() { CSplashWindow::ShowSplash(&dlg, QString(), 0); }
