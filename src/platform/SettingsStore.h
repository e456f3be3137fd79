#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// The per-user store of named values in the "Settings" section. Failed reads give the
// default, failed writes are ignored: settings are never worth an error message.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual std::optional<QByteArray> readBinary(const QString& name) const = 0;
    virtual QString readString(const QString& name, const QString& fallback) const = 0;
    virtual void writeBinary(const QString& name, const QByteArray& value) = 0;
    virtual void writeString(const QString& name, const QString& value) = 0;
};

// QSettings in the native format under Brambleworks/Quillmark, group "Settings". The file
// will hold a sign-in token, so it is kept readable by its owner only.
class QtSettingsStore : public SettingsStore {
public:
    std::optional<QByteArray> readBinary(const QString& name) const override;
    QString readString(const QString& name, const QString& fallback) const override;
    void writeBinary(const QString& name, const QByteArray& value) override;
    void writeString(const QString& name, const QString& value) override;
};
