#pragma once

#include <QString>
#include <QStringList>

// The files named on the command line. Only the plain form with one file name is acted on,
// and its ending is compared case-sensitively.
struct StartFiles {
    QString contactFileName;
    QString labelFileName;
};

// arguments are those after the program name.
StartFiles ParseCommandLine(const QStringList& arguments);
