#include "labels/ui/CFontSample.h"

#include "labels/LabelFont.h"
#include "labels/LabelFormat.h"
#include "labels/QtDrawSurface.h"

#include <QPainter>
#include <algorithm>

CFontSample::CFontSample(const FontsValues& p, QWidget* parent) : QWidget(parent), page(p) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CFontSample::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    if (lines == nullptr)
        return;
    QtDrawSurface dc(painter);
    dc.setTextColour(page.colour);
    const QByteArray face = page.faceName.toUtf8();
    LabelFont font =
        MakeLabelFont(std::string_view(face.constData(), face.size()), page.bold, page.italic, 0);
    CLabelFormat format(*lines, 0, 0, width(), height(), textMargin, 96, true, scale);
    // The size follows the field as it is typed, unchecked; the record holds 16 bits.
    const int maxSize = static_cast<int>(std::min<std::uint32_t>(page.maxFontSize, 0xFFFF));
    format.Draw(dc, maxSize, alignment, font);
}
