#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

// A temporary folder for a test's files.
class TempDir {
public:
    QString path(const QString& name) const { return dir.path() + QLatin1Char('/') + name; }
    QString write(const QString& name, const QByteArray& bytes) const {
        QFile f(path(name));
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
        return f.fileName();
    }
    QByteArray read(const QString& name) const {
        QFile f(path(name));
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }

private:
    QTemporaryDir dir;
};
