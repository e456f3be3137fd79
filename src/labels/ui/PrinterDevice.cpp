#include "labels/ui/PrinterDevice.h"

#include "labels/QtDrawSurface.h"
#include "labels/ui/CupsPrintDevice.h"
#include "platform/Prompt.h"

#include <QFile>
#include <QPageLayout>
#include <QPrinter>
#include <QPrinterInfo>

PrinterDevice::PrinterDevice(std::unique_ptr<QPrinter> p) : qprinter(std::move(p)) {}

PrinterDevice::~PrinterDevice() {
    if (painter.isActive())
        painter.end();
}

std::unique_ptr<PrintDevice> PrinterDevice::ask(const SheetGeometry& sheet) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    // Page ranges and selections mean nothing to a label job.
    printer->setPrintRange(QPrinter::AllPages);
    useSheetPaper(*printer, sheet);
    const QString offered = printer->printerName();
    if (!prompt().choosePrinter(*printer))
        return nullptr;
    // Another printer was picked, not another paper: that printer is asked for the sheet's.
    if (printer->printerName() != offered)
        useSheetPaper(*printer, sheet);
    return forPrinter(std::move(printer));
}

void PrinterDevice::useSheetPaper(QPrinter& printer, const SheetGeometry& sheet) {
    const QPrinterInfo info(printer);
    const QPageSize own = info.isNull() ? printer.pageLayout().pageSize() : info.defaultPageSize();
    const SheetPaper::Choice choice = SheetPaper::choose(sheet, own);
    printer.setPageSize(choice.size);
    printer.setPageOrientation(choice.orientation);
}

SheetPaper::Printed PrinterDevice::printed(const QPrinter& printer) {
    const QPageLayout layout = printer.pageLayout();
    return {layout.fullRect(QPageLayout::Millimeter).size(),
            layout.paintRect(QPageLayout::Millimeter)};
}

std::optional<DeviceRect> PrinterDevice::printableArea() const {
    // A file holds the whole paper: its margins only move the origin, they cut nothing off.
    return std::nullopt;
}

std::unique_ptr<PrintDevice> PrinterDevice::forPrinter(std::unique_ptr<QPrinter> printer) {
    // A printer queue gets the job whole or not at all; a file is written by Qt. Without any
    // printer Qt's dialog leaves a PDF printer without a file: that is no printer either.
    if (printer->outputFileName().isEmpty())
        return std::make_unique<CupsPrintDevice>(std::move(printer));
    return std::make_unique<PrinterDevice>(std::move(printer));
}

int PrinterDevice::startDoc(const QString& documentName) {
    qprinter->setDocName(documentName);
    if (!painter.begin(qprinter.get()))
        return 0;
    pageSurface = std::make_unique<QtDrawSurface>(painter);
    return 1;
}

int PrinterDevice::startPage() {
    if (!painter.isActive())
        return 0;
    // The printer opens the first page itself when painting begins.
    pageFailed = pageCount > 0 && !qprinter->newPage();
    ++pageCount;
    return pageFailed ? 0 : 1;
}

int PrinterDevice::endPage() {
    return painter.isActive() && !pageFailed ? 1 : 0;
}

int PrinterDevice::endDoc() {
    if (!painter.isActive())
        return 0;
    return painter.end() ? 1 : 0;
}

int PrinterDevice::abortDoc() {
    const bool withdrawn = qprinter->abort();
    if (painter.isActive())
        painter.end();
    // Qt's PDF engine cannot withdraw a started document; a file that was being printed to
    // is removed, so that no part of the job is left behind.
    if (!withdrawn && qprinter->outputFormat() == QPrinter::PdfFormat &&
        !qprinter->outputFileName().isEmpty())
        QFile::remove(qprinter->outputFileName());
    return 1;
}

int PrinterDevice::deviceCaps(DeviceCap cap) const {
    const int dpi = qprinter->resolution();
    const QRect printable =
        qprinter->fullPage() ? QRect() : qprinter->pageLayout().paintRectPixels(dpi);
    switch (cap) {
    case DeviceCap::LogPixelsX:
        return qprinter->logicalDpiX();
    case DeviceCap::LogPixelsY:
        return qprinter->logicalDpiY();
    case DeviceCap::PhysicalOffsetX:
        return printable.left();
    case DeviceCap::PhysicalOffsetY:
        return printable.top();
    case DeviceCap::PhysicalWidth:
        return qprinter->pageLayout().fullRectPixels(dpi).width();
    case DeviceCap::PhysicalHeight:
        return qprinter->pageLayout().fullRectPixels(dpi).height();
    }
    return 0;
}

QString PrinterDevice::printerName() const {
    // Printing to a file goes where the file goes; no paper feed to make up for.
    if (qprinter->outputFormat() != QPrinter::NativeFormat || !qprinter->outputFileName().isEmpty())
        return {};
    return qprinter->printerName();
}

DrawSurface& PrinterDevice::surface() {
    return *pageSurface;
}
