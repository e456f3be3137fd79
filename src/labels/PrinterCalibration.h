#pragma once

#include "labels/PrintOffset.h"

#include <QJsonObject>
#include <QString>

class SettingsStore;

// Each printer's calibration offset, kept in the settings under the printer's name (a PDF
// has no name and never has an offset). The settings record keeps its fixed layout: the
// offsets are a separate value, a small JSON object of name → [x, y].
class PrinterCalibration {
public:
    static inline const QString kSettingName = QStringLiteral("PrinterOffsets");

    explicit PrinterCalibration(SettingsStore& store) : store(store) {}

    PrintOffset offsetFor(const QString& printerName) const;
    // Stores an offset held to ±PrintOffset::kLimit; a zero offset removes the printer.
    void setOffset(const QString& printerName, PrintOffset offset);
    void reset(const QString& printerName) { setOffset(printerName, {}); }

private:
    QJsonObject read() const;

    SettingsStore& store;
};
