#pragma once

#include <QObject>
#include <QPointer>

class CQuillmarkDlg;
class LabelFitMark;
#include "platform/ui/HelpWindow.h"

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
    // "Print Preview...": the job's sheets as they will print; its Print button prints.
    void PrintPreview();
    // "Category...": assigns the selected contacts to categories.
    void AssignCategory();

    HelpWindow* helpWindow() const { return help; }
    LabelFitMark* labelFitMark() const { return fitMark; }

private:
    // Shows the message about undefined dimensions and opens the settings; true then.
    bool refuseUndefinedDimensions();

    CQuillmarkDlg& dlg;
    QPointer<HelpWindow> help;
    LabelFitMark* fitMark; // a child of the window
};
