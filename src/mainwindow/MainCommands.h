#pragma once

#include <QObject>
#include <QPointer>

class CQuillmarkDlg;
#include "mainwindow/HelpWindow.h"

// The main window's own commands: help, the website, the update check, About, and the
// buttons and keys that lead to them.
class MainCommands : public QObject {
    Q_OBJECT
public:
    explicit MainCommands(CQuillmarkDlg& dlg);

    void ShowHelp();
    void ShowWebsite();
    void ShowAbout();
    // "Check for updates": tells whether the website offers a newer version.
    void OnCheckForUpdates();
    void OnSettings();
    void OnPrintLabels();
    // "Calibrate printer...": the offsets that make up for each printer's paper feed.
    void CalibratePrinter();
    // "Category...": assigns the selected contacts to categories.
    void AssignCategory();

    HelpWindow* helpWindow() const { return help; }

private:
    CQuillmarkDlg& dlg;
    QPointer<HelpWindow> help;
};
