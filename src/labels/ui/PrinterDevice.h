#pragma once

#include "labels/PrintDevice.h"

#include <QPainter>
#include <memory>

class QPrinter;
class QtDrawSurface;

// Prints into the file chosen in the print dialog ("Print to File (PDF)").
// The page's origin is the printable area's corner; the physical offsets say how far that
// lies from the paper's corner, so labels are placed from the paper's edges.
class PrinterDevice : public PrintDevice {
public:
    explicit PrinterDevice(std::unique_ptr<QPrinter> printer);
    ~PrinterDevice() override;

    // Shows the print dialog; nullptr when the user cancels it.
    static std::unique_ptr<PrintDevice> ask();
    // The device for a printer set up as the dialog leaves it: a CUPS queue or a file.
    static std::unique_ptr<PrintDevice> forPrinter(std::unique_ptr<QPrinter> printer);

    int startDoc(const QString& documentName) override;
    int startPage() override;
    int endPage() override;
    int endDoc() override;
    int abortDoc() override;
    int deviceCaps(DeviceCap cap) const override;
    DrawSurface& surface() override;
    QString printerName() const override;

    QPrinter& printer() { return *qprinter; }

private:
    std::unique_ptr<QPrinter> qprinter;
    QPainter painter;
    std::unique_ptr<QtDrawSurface> pageSurface;
    int pageCount = 0;
    bool pageFailed = false;
};

// The device source for the main window's Print command and the test sheet.
inline std::unique_ptr<PrintDevice> askForPrinter() {
    return PrinterDevice::ask();
}
