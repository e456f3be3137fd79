#pragma once

#include "labels/PrintDevice.h"

#include <QPainter>
#include <memory>

class QPdfWriter;
class QPrinter;
class QTemporaryFile;
class QtDrawSurface;

// Prints on a CUPS queue chosen in the print dialog. The job is drawn into a PDF spool file
// laid out as the printer's page (its paper, orientation and printable area), and handed to
// the server only when it is complete: a cancelled or failed job sends nothing at all, where
// Qt's own printer would hand over every page drawn so far.
class CupsPrintDevice : public PrintDevice {
public:
    explicit CupsPrintDevice(std::unique_ptr<QPrinter> printer);
    ~CupsPrintDevice() override;

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
    void fail(const QString& reason);
    void discard();

    std::unique_ptr<QPrinter> qprinter;
    std::unique_ptr<QTemporaryFile> spool;
    std::unique_ptr<QPdfWriter> writer;
    QPainter painter;
    std::unique_ptr<QtDrawSurface> pageSurface;
    QString title;
    QString failed;
    int pageCount = 0;
    bool pageFailed = false;
};
