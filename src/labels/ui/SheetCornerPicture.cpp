#include "labels/ui/SheetCornerPicture.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace {

// The drawing, in picture pixels.
constexpr int kSheetLeft = 34;
constexpr int kSheetTop = 30;
constexpr int kLabelLeft = 60; // side margin 26
constexpr int kLabelTop = 54;  // top margin 24
constexpr int kLabelW = 104;
constexpr int kLabelH = 44;
constexpr int kGapX = 16; // vertical gutter
constexpr int kGapY = 14; // horizontal gutter
constexpr int kRadius = 7;

const QColor kInk(0, 0, 0);
const QColor kArrow(0, 70, 160);
const QColor kLabelFill(255, 250, 225);
const QColor kLabelEdge(120, 120, 120);

void arrowHead(QPainter& p, QPointF tip, QPointF from) {
    const double dx = tip.x() - from.x();
    const double dy = tip.y() - from.y();
    const double len = std::hypot(dx, dy);
    if (len == 0)
        return;
    const double ux = dx / len;
    const double uy = dy / len;
    const double size = 5.0;
    QPolygonF head;
    head << tip
         << QPointF(tip.x() - ux * size - uy * size * 0.55, tip.y() - uy * size + ux * size * 0.55)
         << QPointF(tip.x() - ux * size + uy * size * 0.55, tip.y() - uy * size - ux * size * 0.55);
    p.setBrush(kArrow);
    p.drawPolygon(head);
}

// A line with a head at `to`, and at `from` too when both is set.
void arrow(QPainter& p, QPointF from, QPointF to, bool both) {
    p.setPen(QPen(kArrow, 1));
    p.drawLine(from, to);
    p.setPen(Qt::NoPen);
    arrowHead(p, to, from);
    if (both)
        arrowHead(p, from, to);
}

void text(QPainter& p, const QRect& r, const QString& s, Qt::Alignment align) {
    p.setPen(kInk);
    p.drawText(r, static_cast<int>(align), s);
}

} // namespace

SheetCornerPicture::SheetCornerPicture(QWidget* parent) : QWidget(parent) {
    setFixedSize(kWidth, kHeight);
}

void SheetCornerPicture::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), palette().window());

    // The sheet, running off the picture to the right and the bottom, with a shadow.
    p.fillRect(QRect(kSheetLeft + 3, kSheetTop + 3, kWidth, kHeight), QColor(150, 150, 150));
    p.fillRect(QRect(kSheetLeft, kSheetTop, kWidth, kHeight), Qt::white);
    p.setPen(QPen(kInk, 1));
    p.drawLine(QPointF(kSheetLeft + 0.5, kSheetTop + 0.5), QPointF(kWidth, kSheetTop + 0.5));
    p.drawLine(QPointF(kSheetLeft + 0.5, kSheetTop + 0.5), QPointF(kSheetLeft + 0.5, kHeight));

    // Rounded labels, three columns by three rows, the last ones cut by the picture's edges.
    p.setPen(QPen(kLabelEdge, 1));
    p.setBrush(kLabelFill);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            p.drawRoundedRect(QRectF(kLabelLeft + c * (kLabelW + kGapX) + 0.5,
                                     kLabelTop + r * (kLabelH + kGapY) + 0.5, kLabelW, kLabelH),
                              kRadius, kRadius);

    QFont f = font();
    f.setPixelSize(10);
    p.setFont(f);

    const int right1 = kLabelLeft + kLabelW; // first label's right edge
    const int bottom1 = kLabelTop + kLabelH; // first label's bottom edge
    const int left2 = right1 + kGapX;        // second column
    const int top2 = bottom1 + kGapY;        // second row

    // Number across: along the top, over the columns.
    arrow(p, QPointF(kLabelLeft, 22), QPointF(kWidth - 4, 22), false);
    text(p, QRect(kLabelLeft, 4, 200, 14), QStringLiteral("Number across"),
         Qt::AlignLeft | Qt::AlignVCenter);

    // Number down: along the left, down the rows, its name reading upwards.
    arrow(p, QPointF(22, kLabelTop), QPointF(22, kHeight - 4), false);
    p.save();
    p.translate(14, kHeight - 4);
    p.rotate(-90);
    text(p, QRect(0, -8, 120, 14), QStringLiteral("Number down"), Qt::AlignLeft | Qt::AlignVCenter);
    p.restore();

    // Top margin: from the sheet's top edge down to the second column's labels.
    const int tmX = left2 + 14;
    arrow(p, QPointF(tmX, kSheetTop + 1), QPointF(tmX, kLabelTop), true);
    text(p, QRect(tmX + 5, kSheetTop + 2, 100, kLabelTop - kSheetTop - 2),
         QStringLiteral("Top margin"), Qt::AlignLeft | Qt::AlignVCenter);

    // Side margins: from the sheet's left edge to the second row's labels.
    const int smY = top2 + 12;
    arrow(p, QPointF(kSheetLeft + 1, smY), QPointF(kLabelLeft, smY), true);
    text(p, QRect(kLabelLeft + 6, smY - 7, kLabelW - 8, 14), QStringLiteral("Side margins"),
         Qt::AlignLeft | Qt::AlignVCenter);

    // Width and height of the first label.
    const int wY = kLabelTop + 14;
    arrow(p, QPointF(kLabelLeft + 1, wY), QPointF(right1, wY), true);
    text(p, QRect(kLabelLeft + 6, wY - 13, 60, 12), QStringLiteral("Width"),
         Qt::AlignLeft | Qt::AlignVCenter);
    const int hX = right1 - 14;
    arrow(p, QPointF(hX, kLabelTop + 1), QPointF(hX, bottom1), true);
    text(p, QRect(hX - 60, bottom1 - 20, 56, 14), QStringLiteral("Height"),
         Qt::AlignRight | Qt::AlignVCenter);

    // Vertical gutter: between the columns, named inside the second column.
    const int vgY = kLabelTop + 32;
    arrow(p, QPointF(right1 - 10, vgY), QPointF(right1 + 1, vgY), false);
    arrow(p, QPointF(left2 + 10, vgY), QPointF(left2, vgY), false);
    text(p, QRect(left2 + 13, vgY - 7, kLabelW - 14, 14), QStringLiteral("Vertical gutter"),
         Qt::AlignLeft | Qt::AlignVCenter);

    // Horizontal gutter: between the rows, named inside the gap.
    const int hgX = left2 + 14;
    arrow(p, QPointF(hgX, bottom1 - 9), QPointF(hgX, bottom1 + 1), false);
    arrow(p, QPointF(hgX, top2 + 9), QPointF(hgX, top2), false);
    text(p, QRect(hgX + 5, bottom1 + 1, 120, kGapY - 1), QStringLiteral("Horizontal gutter"),
         Qt::AlignLeft | Qt::AlignVCenter);
}
