#pragma once

#include "labels/LabelPrinter.h"
#include "labels/PrintDevice.h"
#include "labels/SheetGeometry.h"
#include "labels/SheetPaper.h"

#include <QPainter>
#include <memory>

class QPdfWriter;
class QPrinter;
class QSaveFile;
class QtDrawSurface;

// Prints into the PDF file chosen in the print dialog ("Print to File (PDF)"), laid out as the
// dialog's page. The file is replaced only once the job is complete: a cancelled or failed
// job leaves whatever was there before untouched.
// The page's origin is the printable area's corner; the physical offsets say how far that
// lies from the paper's corner, so labels are placed from the paper's edges.
class PrinterDevice : public PrintDevice {
public:
    explicit PrinterDevice(std::unique_ptr<QPrinter> printer);
    ~PrinterDevice() override;

    // Shows the print dialog with the sheet's paper asked of the printer; nullptr when the
    // user cancels it.
    static std::unique_ptr<PrintDevice> ask(const SheetGeometry& sheet);
    // Asks the printer for the paper and orientation the sheet's labels are printed on.
    static void useSheetPaper(QPrinter& printer, const SheetGeometry& sheet);
    // The paper as the printer will print it.
    static SheetPaper::Printed printed(const QPrinter& printer);
    // The device for a printer set up as the dialog leaves it: a CUPS queue or a file.
    static std::unique_ptr<PrintDevice> forPrinter(std::unique_ptr<QPrinter> printer);

    int startDoc(const QString& documentName) override;
    int startPage() override;
    int endPage() override;
    int endDoc() override;
    int abortDoc() override;
    int deviceCaps(DeviceCap cap) const override;
    std::optional<DeviceRect> printableArea() const override;
    DrawSurface& surface() override;
    QString printerName() const override;
    QString failure() const override { return failed; }

    QPrinter& printer() { return *qprinter; }

private:
    void discard();

    std::unique_ptr<QPrinter> qprinter;
    std::unique_ptr<QSaveFile> file;
    std::unique_ptr<QPdfWriter> writer;
    QString failed;
    QPainter painter;
    std::unique_ptr<QtDrawSurface> pageSurface;
    int pageCount = 0;
    bool pageFailed = false;
};

// The device source for the main window's Print command and the test sheet of a sheet.
inline CLabelPrinter::DeviceSource askForPrinter(const SheetGeometry& sheet) {
    return [sheet] { return PrinterDevice::ask(sheet); };
}
