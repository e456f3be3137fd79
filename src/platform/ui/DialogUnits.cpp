#include "platform/ui/DialogUnits.h"

#include <QFontMetrics>

QFont DialogUnits::dialogFont() {
    QFont f(QStringLiteral("Arial"));
    f.setPointSize(9);
    return f;
}

DialogUnits::DialogUnits() : DialogUnits(dialogFont()) {}

DialogUnits::DialogUnits(const QFont& font) {
    const QFontMetrics fm(font);
    const int letters = fm.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    baseX_ = (letters / 26 + 1) / 2; // rounded average, as the platform computes it
    baseY_ = fm.height();
}

int DialogUnits::toPixelsX(int units) const {
    return (units * baseX_ * 2 + 4) / 8;
}

int DialogUnits::toPixelsY(int units) const {
    return (units * baseY_ + 4) / 8;
}

QRect DialogUnits::toPixels(int x, int y, int w, int h) const {
    const int left = toPixelsX(x);
    const int top = toPixelsY(y);
    return QRect(left, top, toPixelsX(x + w) - left, toPixelsY(y + h) - top);
}
