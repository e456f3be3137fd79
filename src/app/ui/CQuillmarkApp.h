#pragma once

#include <QStringList>

// Starts the program: the splash window, the settings location, the command line, then the
// main window run modally. The program ends when the main window closes.
class CQuillmarkApp {
public:
    // arguments are those after the program name. Returns the process exit code.
    int Run(const QStringList& arguments);
};
