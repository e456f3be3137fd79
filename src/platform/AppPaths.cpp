#include "platform/AppPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

QString AppPaths::programFolder() {
    return QCoreApplication::applicationDirPath();
}

QString AppPaths::dataFolder() {
    QString dir = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    dir += QStringLiteral("/Brambleworks/Quillmark");
    QDir().mkpath(dir);
    return dir;
}

QString AppPaths::categoryStoreFile() {
    return dataFolder() + QStringLiteral("/Categories");
}

QString AppPaths::helpFolder() {
    const QString candidates[] = {
        programFolder() + QStringLiteral("/help"),
        programFolder() + QStringLiteral("/../share/quillmark/help"),
        QStringLiteral(QM_INSTALL_HELP_DIR),
        QStringLiteral(QM_SOURCE_HELP_DIR),
    };
    for (const QString& c : candidates) {
        if (QFileInfo::exists(c + QStringLiteral("/index.html")))
            return QDir::cleanPath(c);
    }
    return QDir::cleanPath(candidates[0]);
}

QString AppPaths::lastComponent(const QString& path) {
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? path : path.mid(slash + 1);
}
