#include "labels/ui/PrinterDevice.h"

#include "labels/QtDrawSurface.h"
#include "labels/ui/CupsPrintDevice.h"
#include "platform/FileError.h"
#include "platform/Prompt.h"
#include "platform/SaveFile.h"

#include <QPageLayout>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSaveFile>
#include <cerrno>

PrinterDevice::PrinterDevice(std::unique_ptr<QPrinter> p) : qprinter(std::move(p)) {}

PrinterDevice::~PrinterDevice() {
    discard();
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

void PrinterDevice::discard() {
    if (painter.isActive())
        painter.end();
    pageSurface.reset();
    writer.reset();
    if (file)
        file->cancelWriting();
    file.reset();
}

int PrinterDevice::startDoc(const QString& documentName) {
    const QString path = qprinter->outputFileName();
    file = std::make_unique<QSaveFile>(path);
    if (!file->open(QIODevice::WriteOnly)) {
        auto cause = FileError::probeOpen(path, true);
        failed = FileError::cantOpenMessage(path, cause == FileError::None ? FileError::AccessDenied
                                                                           : cause);
        file.reset();
        return 0;
    }
    writer = std::make_unique<QPdfWriter>(file.get());
    writer->setResolution(qprinter->resolution());
    QPageLayout layout = qprinter->pageLayout();
    if (qprinter->fullPage()) // the origin at the paper's corner, as deviceCaps says
        layout.setMargins({});
    writer->setPageLayout(layout);
    writer->setTitle(documentName);
    writer->setCreator(QStringLiteral("Quillmark"));
    if (!painter.begin(writer.get())) {
        failed = QStringLiteral("The PDF %1 could not be started.").arg(qprinter->outputFileName());
        discard();
        return 0;
    }
    pageSurface = std::make_unique<QtDrawSurface>(painter);
    return 1;
}

int PrinterDevice::startPage() {
    if (!painter.isActive())
        return 0;
    // The writer opens the first page itself when painting begins.
    pageFailed = pageCount > 0 && !writer->newPage();
    ++pageCount;
    return pageFailed ? 0 : 1;
}

int PrinterDevice::endPage() {
    return painter.isActive() && !pageFailed ? 1 : 0;
}

int PrinterDevice::endDoc() {
    if (!painter.isActive())
        return 0;
    const bool drawn = painter.end();
    writer.reset();
    if (!drawn || !SaveFile::commit(*file)) {
        const FileError::Cause cause = FileError::fromErrno(errno);
        failed = FileError::standardMessage(cause == FileError::None ? FileError::Generic : cause,
                                            qprinter->outputFileName());
        discard();
        return 0;
    }
    file.reset();
    return 1;
}

int PrinterDevice::abortDoc() {
    discard();
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
