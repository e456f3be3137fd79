#include "labels/QtDrawSurface.h"

#include <QPaintDevice>
#include <QPainter>
#include <cmath>

namespace {

QColor fromColourRef(std::uint32_t c) {
    return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                  static_cast<int>((c >> 16) & 0xFF));
}

} // namespace

QtDrawSurface::QtDrawSurface(QPainter& p) : painter(p), device(p.device()) {}

QtDrawSurface::~QtDrawSurface() = default;

std::size_t QtDrawSurface::KeyHash::operator()(const Key& k) const {
    std::size_t h = std::hash<std::string>()(k.face);
    h ^= std::hash<int>()(k.pixels * 4 + (k.bold ? 2 : 0) + (k.italic ? 1 : 0)) + 0x9e3779b9 +
         (h << 6) + (h >> 2);
    return h;
}

int QtDrawSurface::pixelSize(int heightTenths, int dpiY) {
    // Rounded to nearest, halves away from zero, as a character height.
    return static_cast<int>(std::lround(static_cast<double>(heightTenths) * dpiY / 720.0));
}

void QtDrawSurface::setTransparentBackground() {
    painter.setBackgroundMode(Qt::TransparentMode);
}

void QtDrawSurface::setTextColour(std::uint32_t colour) {
    painter.setPen(fromColourRef(colour));
}

bool QtDrawSurface::selectFont(const LabelFont& font) {
    const int pixels = pixelSize(font.height, device->logicalDpiY());
    if (pixels <= 0)
        return false;
    Key key{font.faceName, pixels, font.bold(), font.italic != 0};
    auto it = fonts.find(key);
    if (it == fonts.end()) {
        QFont f(
            QString::fromUtf8(font.faceName.data(), static_cast<qsizetype>(font.faceName.size())));
        f.setPixelSize(pixels);
        f.setBold(key.bold);
        f.setItalic(key.italic);
        f.setUnderline(font.underline != 0);
        f.setStrikeOut(font.strikeOut != 0);
        // Measurements must match what is drawn on this very device.
        QFontMetrics metrics(f, device);
        auto entry = std::unique_ptr<Entry>(new Entry{f, metrics, metrics.ascent(),
                                                      metrics.ascent() + metrics.descent(),
                                                      std::max(0, metrics.leading())});
        it = fonts.emplace(std::move(key), std::move(entry)).first;
    }
    current = it->second.get();
    return true;
}

TextExtent QtDrawSurface::textExtent(std::string_view text) {
    if (current == nullptr)
        return {};
    for (const Measured& m : measured)
        if (m.font == current && m.text == text)
            return {m.cx, current->height};
    scratch = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    Measured& slot = measured[nextSlot];
    nextSlot = (nextSlot + 1) % kMeasuredSlots;
    slot.font = current;
    slot.text.assign(text);
    slot.cx = current->metrics.horizontalAdvance(scratch);
    return {slot.cx, current->height};
}

TextMetrics QtDrawSurface::textMetrics() {
    if (current == nullptr)
        return {};
    return {current->height, current->ascent, current->leading};
}

void QtDrawSurface::textOut(int x, int y, std::string_view text) {
    if (current != nullptr && painterFont != current) {
        painter.setFont(current->font);
        painterFont = current;
    }
    const int ascent = current != nullptr ? current->ascent : painter.fontMetrics().ascent();
    scratch = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    painter.drawText(QPoint(x, y + ascent), scratch);
}

void QtDrawSurface::frameRect(const DeviceRect& r, StockBrush brush) {
    const int w = r.right - r.left;
    const int h = r.bottom - r.top;
    if (w <= 0 || h <= 0)
        return;
    const QColor c = fromColourRef(stockBrushColour(brush));
    painter.fillRect(QRect(r.left, r.top, w, 1), c);
    painter.fillRect(QRect(r.left, r.bottom - 1, w, 1), c);
    painter.fillRect(QRect(r.left, r.top, 1, h), c);
    painter.fillRect(QRect(r.right - 1, r.top, 1, h), c);
}

int QtDrawSurface::deviceCaps(DeviceCap cap) const {
    switch (cap) {
    case DeviceCap::LogPixelsX:
        return device->logicalDpiX();
    case DeviceCap::LogPixelsY:
        return device->logicalDpiY();
    case DeviceCap::PhysicalOffsetX:
    case DeviceCap::PhysicalOffsetY:
        return 0;
    case DeviceCap::PhysicalWidth:
        return device->width();
    case DeviceCap::PhysicalHeight:
        return device->height();
    }
    return 0;
}
