#include "labels/JobPreview.h"

#include "labels/QtDrawSurface.h"

#include <QPainter>
#include <cmath>
#include <cstdint>

namespace {

// Draws the job's pages onto a painter; the painter's device gives the printer's resolution.
class PreviewDevice : public PrintDevice {
public:
    PreviewDevice(QtDrawSurface& s, int x, int y) : dc(s), dpiX(x), dpiY(y) {}
    int startDoc(const QString&) override { return 1; }
    int startPage() override { return 1; }
    int endPage() override { return 1; }
    int endDoc() override { return 1; }
    int abortDoc() override { return 1; }
    int deviceCaps(DeviceCap cap) const override {
        switch (cap) {
        case DeviceCap::LogPixelsX:
            return dpiX;
        case DeviceCap::LogPixelsY:
            return dpiY;
        case DeviceCap::PhysicalOffsetX:
        case DeviceCap::PhysicalOffsetY:
            return 0; // the image is the whole paper
        case DeviceCap::PhysicalWidth:
        case DeviceCap::PhysicalHeight:
            return 0; // not known here; the job then allows a paper of up to a metre
        }
        return 0;
    }
    DrawSurface& surface() override { return dc; }

private:
    QtDrawSurface& dc;
    int dpiX;
    int dpiY;
};

QColor colourOf(std::uint32_t c) {
    return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                  static_cast<int>((c >> 16) & 0xFF));
}

int dotsPerMetre(int dpi) {
    return static_cast<int>(dpi / 0.0254 + 0.5);
}

} // namespace

JobPreview::JobPreview(const LabelPreferences& f, std::string faceName,
                       std::span<const std::string> labels, int first, int resX, int resY,
                       const QPageSize& paperSize)
    : job(f, std::move(faceName), labels), format(f),
      labelCount(static_cast<std::uint16_t>(labels.size())), firstPosition(first),
      perSheet(f.geometry.labelsAcross * f.geometry.labelsDown), resolutionX(resX),
      resolutionY(resY), paper(paperSize) {
    // As the job counts its pages.
    pages = labelCount == 0 || perSheet == 0 ? 0 : (labelCount + first - 2) / perSheet + 1;
    job.setResolution(resolutionX / 10 * 10);
}

QSizeF JobPreview::PaperInches() const {
    // From the size as the paper is defined: the rounded sizes in other units would put an
    // A4 page a pixel short.
    const QSizeF d = paper.definitionSize();
    switch (paper.definitionUnits()) {
    case QPageSize::Millimeter:
        return d / 25.4;
    case QPageSize::Inch:
        return d;
    case QPageSize::Point:
        return d / 72.0;
    default:
        return paper.size(QPageSize::Millimeter) / 25.4;
    }
}

QSize JobPreview::PixelSize(double dpi) const {
    const QSizeF in = PaperInches();
    return {static_cast<int>(std::lround(in.width() * dpi)),
            static_cast<int>(std::lround(in.height() * dpi))};
}

JobPreview::PageSpan JobPreview::Span(int page) const {
    if (page < 1 || page > pages)
        return {};
    PageSpan span;
    span.firstPosition = page == 1 ? firstPosition : 1;
    span.firstLabel = page == 1 ? 1 : perSheet - firstPosition + 1 + (page - 2) * perSheet + 1;
    span.lastLabel = std::min(labelCount, span.firstLabel + perSheet - span.firstPosition);
    return span;
}

std::vector<int> JobPreview::PageMisfits(int page) const {
    std::vector<int> misfits;
    const PageSpan span = Span(page);
    for (int k = span.firstLabel; k >= 1 && k <= span.lastLabel; ++k) {
        const LabelFit* fit = job.Fits().find(k);
        if (fit != nullptr && fit->misfit())
            misfits.push_back(k);
    }
    return misfits;
}

QImage JobPreview::RenderPage(int page, double dpi, const Marks& marks) {
    if (page < 1 || page > pages || dpi <= 0)
        return {};
    QImage image(PixelSize(dpi), QImage::Format_RGB32);
    image.fill(Qt::white);
    // The image reports the printer's resolution, so fonts are made and measured exactly as
    // on the printer; the painter scales the printer's units down to pixels.
    image.setDotsPerMeterX(dotsPerMetre(resolutionX));
    image.setDotsPerMeterY(dotsPerMetre(resolutionY));
    const double sx = dpi / resolutionX;
    const double sy = dpi / resolutionY;

    QPainter painter(&image);
    // Outlines sharp on the pixel grid; text smoothed as a viewer smooths the PDF.
    painter.setRenderHint(QPainter::TextAntialiasing);
    QtDrawSurface surface(painter);
    PreviewDevice device(surface, resolutionX, resolutionY);
    const PageSpan span = Span(page);

    const auto pixels = [&](const DeviceRect& r) {
        return QRectF(r.left * sx, r.top * sy, (r.right - r.left) * sx, (r.bottom - r.top) * sy);
    };
    if (marks.outlines || marks.used) {
        for (int position = 1; position <= perSheet; ++position) {
            const QRectF r = pixels(job.PositionRect(device, position));
            if (marks.used && position < span.firstPosition) {
                painter.fillRect(r, colourOf(kUsedColour));
                painter.fillRect(r, QBrush(colourOf(kOutlineColour), Qt::BDiagPattern));
            }
            if (marks.outlines) {
                painter.setPen(QPen(colourOf(kOutlineColour), 0));
                painter.setBrush(Qt::NoBrush);
                painter.drawRect(r);
            }
        }
    }

    painter.save();
    painter.scale(sx, sy);
    CLabelPrinter::PrintProgress progress{span.firstPosition, span.firstLabel, labelCount};
    job.PrintPage(device, progress);
    painter.restore();

    if (marks.misfits) {
        painter.setPen(QPen(colourOf(kMisfitColour), 2));
        painter.setBrush(Qt::NoBrush);
        for (int k : PageMisfits(page)) {
            const int position = span.firstPosition + (k - span.firstLabel);
            const QRectF r = pixels(job.PositionRect(device, position));
            painter.drawRect(r.adjusted(1.5, 1.5, -1.5, -1.5));
        }
    }
    return image;
}
