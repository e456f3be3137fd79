#include "app/ui/CQuillmarkApp.h"

#include "app/CommandLine.h"
#include "mainwindow/CQuillmarkDlg.h"
#include "platform/Pause.h"
#include "platform/SettingsStore.h"
#include "platform/ui/QtPrompt.h"

#include <QCoreApplication>

int CQuillmarkApp::Run(const QStringList& arguments) {
    QCoreApplication::setOrganizationName(QStringLiteral("Brambleworks"));
    QCoreApplication::setApplicationName(QStringLiteral("Quillmark"));
    QtPrompt qtPrompt;
    setPrompt(&qtPrompt);

    Pause::sleepMs(1000);

    QtSettingsStore store;
    CQuillmarkDlg dlg(store);
    const StartFiles files = ParseCommandLine(arguments);
    dlg.contactFileName = files.contactFileName;
    dlg.labelFileName = files.labelFileName;
    dlg.OnInitDialog();
    dlg.exec();
    setPrompt(nullptr);
    return 0;
}
