#pragma once

#include "platform/SettingsStore.h"

#include <QMap>
#include <QVariant>

// Settings held in memory, for tests that want to see exactly what was stored.
class MemorySettingsStore : public SettingsStore {
public:
    std::optional<QByteArray> readBinary(const QString& name) const override {
        const auto it = values.find(name);
        if (it == values.end() || it->typeId() != QMetaType::QByteArray)
            return std::nullopt;
        return it->toByteArray();
    }
    QString readString(const QString& name, const QString& fallback) const override {
        const auto it = values.find(name);
        return it == values.end() ? fallback : it->toString();
    }
    void writeBinary(const QString& name, const QByteArray& value) override {
        values[name] = value;
    }
    void writeString(const QString& name, const QString& value) override { values[name] = value; }

    QMap<QString, QVariant> values;
};
