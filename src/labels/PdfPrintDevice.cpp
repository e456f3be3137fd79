#include "labels/PdfPrintDevice.h"

#include "labels/QtDrawSurface.h"

#include <QPageLayout>

PdfPrintDevice::PdfPrintDevice(QIODevice& output, int resolution, const QPageSize& pageSize)
    : writer(&output) {
    writer.setResolution(resolution);
    writer.setPageLayout(QPageLayout(pageSize, QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    writer.setCreator(QStringLiteral("Quillmark"));
}

PdfPrintDevice::~PdfPrintDevice() {
    if (painter.isActive())
        painter.end();
}

int PdfPrintDevice::startDoc(const QString& documentName) {
    writer.setTitle(documentName);
    if (!painter.begin(&writer))
        return 0;
    pageSurface = std::make_unique<QtDrawSurface>(painter);
    return 1;
}

int PdfPrintDevice::startPage() {
    if (!painter.isActive())
        return 0;
    // The writer opens the first page itself when painting begins.
    pageFailed = pageCount > 0 && !writer.newPage();
    ++pageCount;
    return pageFailed ? 0 : 1;
}

int PdfPrintDevice::endPage() {
    return painter.isActive() && !pageFailed ? 1 : 0;
}

int PdfPrintDevice::endDoc() {
    if (!painter.isActive())
        return 0;
    finished = painter.end();
    return finished ? 1 : 0;
}

int PdfPrintDevice::abortDoc() {
    if (painter.isActive())
        painter.end();
    finished = false;
    return 1;
}

int PdfPrintDevice::deviceCaps(DeviceCap cap) const {
    switch (cap) {
    case DeviceCap::LogPixelsX:
        return writer.logicalDpiX();
    case DeviceCap::LogPixelsY:
        return writer.logicalDpiY();
    case DeviceCap::PhysicalOffsetX:
    case DeviceCap::PhysicalOffsetY:
        return 0;
    case DeviceCap::PhysicalWidth:
        return writer.width();
    case DeviceCap::PhysicalHeight:
        return writer.height();
    }
    return 0;
}

DrawSurface& PdfPrintDevice::surface() {
    return *pageSurface;
}
