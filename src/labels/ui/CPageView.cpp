#include "labels/ui/CPageView.h"

#include "labels/PagePreview.h"
#include "labels/QtDrawSurface.h"

#include <QPainter>

CPageView::CPageView(const DimensionValues& v, QWidget* parent) : QWidget(parent), values(v) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CPageView::setPaper(QSizeF mm) {
    paper_ = mm;
    update();
}

void CPageView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    QtDrawSurface dc(painter);

    const DeviceRect sheet = PagePreview::SheetOutline(paper_.width(), paper_.height());
    dc.frameRect(sheet, StockBrush::Black);

    // The shadow: a 2-pixel line under the sheet and one along its right edge.
    const std::uint32_t s = PagePreview::kShadowColour;
    QPen pen(QColor(static_cast<int>(s & 0xFF), static_cast<int>((s >> 8) & 0xFF),
                    static_cast<int>((s >> 16) & 0xFF)));
    pen.setWidth(PagePreview::kShadowWidth);
    pen.setCapStyle(Qt::FlatCap);
    painter.setPen(pen);
    painter.drawLine(QPoint(sheet.right + 2, sheet.bottom + 1), QPoint(2, sheet.bottom + 1));
    painter.drawLine(QPoint(sheet.right + 1, sheet.bottom + 1), QPoint(sheet.right + 1, 2));

    for (const DeviceRect& r : PagePreview::Outlines(PagePreview::ComputeGrid(values)))
        dc.frameRect(r, StockBrush::Grey);
}
