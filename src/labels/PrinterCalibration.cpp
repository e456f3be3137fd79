#include "labels/PrinterCalibration.h"

#include "platform/SettingsStore.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <algorithm>

QJsonObject PrinterCalibration::read() const {
    // A damaged value reads as no offsets at all: printing then goes where the sheet says.
    return QJsonDocument::fromJson(store.readString(kSettingName, QString()).toUtf8()).object();
}

PrintOffset PrinterCalibration::offsetFor(const QString& printerName) const {
    if (printerName.isEmpty())
        return {};
    const QJsonArray pair = read().value(printerName).toArray();
    if (pair.size() != 2 || !pair[0].isDouble() || !pair[1].isDouble())
        return {};
    PrintOffset offset{pair[0].toInt(), pair[1].toInt()};
    return offset.inRange() ? offset : PrintOffset{};
}

void PrinterCalibration::setOffset(const QString& printerName, PrintOffset offset) {
    if (printerName.isEmpty())
        return;
    offset.x = std::clamp(offset.x, -PrintOffset::kLimit, PrintOffset::kLimit);
    offset.y = std::clamp(offset.y, -PrintOffset::kLimit, PrintOffset::kLimit);
    QJsonObject all = read();
    if (offset.isZero())
        all.remove(printerName);
    else
        all.insert(printerName, QJsonArray{offset.x, offset.y});
    store.writeString(kSettingName,
                      QString::fromUtf8(QJsonDocument(all).toJson(QJsonDocument::Compact)));
}
