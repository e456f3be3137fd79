#include "platform/SettingsStore.h"

#include <QFile>
#include <QSettings>

namespace {

template <typename F> auto withSettings(F&& use) {
    QSettings s(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Brambleworks"),
                QStringLiteral("Quillmark"));
    s.beginGroup(QStringLiteral("Settings"));
    return use(s);
}

void writeValue(const QString& name, const QVariant& value) {
    withSettings([&](QSettings& s) {
        s.setValue(name, value);
        s.sync();
        QFile::setPermissions(s.fileName(), QFile::ReadOwner | QFile::WriteOwner);
    });
}

} // namespace

std::optional<QByteArray> QtSettingsStore::readBinary(const QString& name) const {
    return withSettings([&](QSettings& s) -> std::optional<QByteArray> {
        const QVariant v = s.value(name);
        if (!v.isValid() || v.typeId() != QMetaType::QByteArray)
            return std::nullopt;
        return v.toByteArray();
    });
}

QString QtSettingsStore::readString(const QString& name, const QString& fallback) const {
    return withSettings([&](QSettings& s) { return s.value(name, fallback).toString(); });
}

void QtSettingsStore::writeBinary(const QString& name, const QByteArray& value) {
    writeValue(name, value);
}

void QtSettingsStore::writeString(const QString& name, const QString& value) {
    writeValue(name, value);
}
