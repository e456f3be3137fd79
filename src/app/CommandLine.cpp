#include "app/CommandLine.h"

StartFiles ParseCommandLine(const QStringList& arguments, const QString& workingFolder) {
    StartFiles files;
    if (arguments.size() != 1 || arguments.front().startsWith(QLatin1Char('-')))
        return files;
    const QString name = QDir::cleanPath(QDir(workingFolder).absoluteFilePath(arguments.front()));
    // The last four characters, or the whole name when it is shorter (which never matches).
    const QString ending = name.right(4);
    if (ending == QLatin1String(".lbl"))
        files.labelFileName = name;
    else if (ending == QLatin1String(".csv") || ending == QLatin1String(".CSV") ||
             ending == QLatin1String(".tsv") || ending == QLatin1String(".TSV"))
        files.contactFileName = name;
    return files;
}
