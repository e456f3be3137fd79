#pragma once

#include "labels/PrintDevice.h"

#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <memory>

class QIODevice;
class QtDrawSurface;

// Prints into a PDF: full pages without margins, so the page's origin is the paper's corner
// and the physical offsets are 0. Works without a display.
class PdfPrintDevice : public PrintDevice {
public:
    static constexpr int kDefaultResolution = 600;

    // Writes to output, which must be open for writing and outlive the device.
    explicit PdfPrintDevice(QIODevice& output, int resolution = kDefaultResolution,
                            const QPageSize& pageSize = QPageSize(QPageSize::A4));
    ~PdfPrintDevice() override;

    int startDoc(const QString& documentName) override;
    int startPage() override;
    int endPage() override;
    int endDoc() override;
    int abortDoc() override;
    int deviceCaps(DeviceCap cap) const override;
    DrawSurface& surface() override;

    // True once the document has been ended normally (not aborted).
    bool completed() const { return finished; }
    int pages() const { return pageCount; }

private:
    QPdfWriter writer;
    QPainter painter;
    std::unique_ptr<QtDrawSurface> pageSurface;
    int pageCount = 0;
    bool pageFailed = false;
    bool finished = false;
};
