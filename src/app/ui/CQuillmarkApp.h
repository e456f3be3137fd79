#pragma once

#include <QStringList>

class QtPrompt;

// Starts the program: the splash window, the settings location, the command line, then the
// main window run modally. The program ends when the main window closes.
class CQuillmarkApp {
public:
    // arguments are those after the program name. Returns the process exit code.
    int Run(const QStringList& arguments);

    // Makes prompt the program's prompt, hiding the splash window before any dialog or
    // message, and gives every window the program's icon.
    static void PrepareDesktop(QtPrompt& prompt);
};
