#pragma once

#include <QDir>
#include <QString>
#include <QStringList>

// The files named on the command line. Only the plain form with one file name is acted on,
// and its ending is compared case-sensitively.
struct StartFiles {
    QString contactFileName;
    QString labelFileName;
};

// arguments are those after the program name. A relative name is taken from the working
// folder and made absolute, since the contact list's name is kept for the next start, which
// may begin in another folder.
StartFiles ParseCommandLine(const QStringList& arguments,
                            const QString& workingFolder = QDir::currentPath());
