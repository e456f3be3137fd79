#include "app/ui/CQuillmarkApp.h"

#include "app/CommandLine.h"
#include "controls/Artwork.h"
#include "controls/SplashInputFilter.h"
#include "controls/SplashWindow.h"
#include "mainwindow/CQuillmarkDlg.h"
#include "platform/Pause.h"
#include "platform/SettingsStore.h"
#include "platform/ui/QtPrompt.h"

#include <QApplication>

void CQuillmarkApp::PrepareDesktop(QtPrompt& prompt) {
    QApplication::setWindowIcon(Artwork::appIcon());
    prompt.beforeShowing = [] { CSplashWindow::HideSplash(); };
    setPrompt(&prompt);
}

int CQuillmarkApp::Run(const QStringList& arguments) {
    QCoreApplication::setOrganizationName(QStringLiteral("Brambleworks"));
    QCoreApplication::setApplicationName(QStringLiteral("Quillmark"));
    QtPrompt qtPrompt;
    PrepareDesktop(qtPrompt);
    // A key or mouse press while the splash window shows only hides it.
    CSplashInputFilter splashFilter;
    qApp->installEventFilter(&splashFilter);

    CSplashWindow::ShowSplash(nullptr, QStringLiteral("Starting..."), 0);
    Pause::sleepMs(1000);

    QtSettingsStore store;
    CQuillmarkDlg dlg(store);
    qtPrompt.setFallbackOwner(&dlg);
    const StartFiles files = ParseCommandLine(arguments);
    dlg.contactList.contactFileName = files.contactFileName;
    dlg.labelFileName = files.labelFileName;
    dlg.OnInitDialog();
    dlg.exec();
    setPrompt(nullptr);
    return 0;
}
