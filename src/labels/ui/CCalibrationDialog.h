#pragma once

#include "labels/PrintDevice.h"
#include "labels/PrintOffset.h"
#include "labels/SheetGeometry.h"

#include <QDialog>
#include <QStringList>
#include <functional>
#include <map>
#include <memory>

class PrinterCalibration;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QPushButton;

// "Calibrate Printer": prints the calibration sheet on a chosen printer, then takes the two
// shifts the user reads off its scales and keeps them for that printer. Shows what is stored
// for the printer chosen; Reset clears it. Nothing is stored unless the dialog ends with OK.
class CCalibrationDialog : public QDialog {
    Q_OBJECT
public:
    static inline const QString kTitle = QStringLiteral("Calibrate Printer");
    // Gives the device of a printer by name; nullptr when it cannot be had.
    using DeviceForPrinter = std::function<std::unique_ptr<PrintDevice>(const QString& name)>;

    // printers: the names to offer; current: the one chosen first (the default printer).
    CCalibrationDialog(PrinterCalibration& calibration, const SheetGeometry& geometry,
                       const QStringList& printers, const QString& current,
                       QWidget* parent = nullptr);

    // The program's own printers unless a caller says otherwise.
    DeviceForPrinter deviceFor;

    void OnPrint();
    void OnReset();
    void accept() override;

    // The offset the fields show, in tenths.
    PrintOffset entered() const;

    QComboBox* printerBox() const { return printer_; }
    QDoubleSpinBox* rightBox() const { return right_; }
    QDoubleSpinBox* downBox() const { return down_; }
    QPushButton* printButton() const { return print_; }
    QPushButton* resetButton() const { return reset_; }
    QLabel* storedText() const { return stored_; }
    QLabel* stepText() const { return steps_; }

    static std::unique_ptr<PrintDevice> printerDevice(const QString& name,
                                                      const SheetGeometry& sheet);

private:
    void printerChanged();
    void showOffset(PrintOffset offset);

    PrinterCalibration& calibration;
    SheetGeometry geometry;
    std::map<QString, PrintOffset> pending; // edited, not yet stored
    QString shownPrinter;

    QComboBox* printer_;
    QDoubleSpinBox* right_;
    QDoubleSpinBox* down_;
    QPushButton* print_;
    QPushButton* reset_;
    QLabel* stored_;
    QLabel* steps_;
};
