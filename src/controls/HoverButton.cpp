#include "controls/HoverButton.h"

#include "controls/Artwork.h"

#include <QEnterEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

CHoverButton::CHoverButton(QWidget* parent) : CHoverButton(QString(), parent) {}

CHoverButton::CHoverButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    // A push button inside a dialog would otherwise wait for Enter to reach the default button.
    setAutoDefault(false);
}

CHoverButton::Geometry CHoverButton::ComputeLayout(int layout, QSize textSize, QSize bitmapSize) {
    const int tw = textSize.width();
    const int th = textSize.height();
    const int bw = bitmapSize.width();
    const int bh = bitmapSize.height();
    Geometry g;
    if (layout == PictureLeft) {
        g.width = bw + tw + 4 * kMargin;
        g.height = bh + 13;
        g.caption = QPoint(bw + 2 * kMargin, g.height / 2 - th / 2 - 1);
        g.picture = QPoint(kMargin, 6);
    } else {
        g.width = tw + 16;
        g.height = bh + th + 17;
        g.caption = QPoint(g.width / 2 - tw / 2 - 1, g.height - th - kMargin);
        g.picture = QPoint(g.width / 2 - bw / 2, kMargin);
    }
    return g;
}

QImage CHoverButton::mapSystemColours(QImage image, QColor shadow, QColor face, QColor light) {
    image = image.convertToFormat(QImage::Format_RGB32);
    const QRgb from[3] = {qRgb(128, 128, 128), qRgb(192, 192, 192), qRgb(223, 223, 223)};
    const QRgb to[3] = {shadow.rgb(), face.rgb(), light.rgb()};
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb px = line[x] | 0xFF000000u;
            for (int i = 0; i < 3; ++i) {
                if (px == from[i]) {
                    line[x] = to[i];
                    break;
                }
            }
        }
    }
    return image;
}

bool CHoverButton::LoadButtonBitmap(int bitmapId, int layout) {
    return LoadButtonBitmap(layout > NoPicture ? Artwork::bitmap(bitmapId) : QPixmap(), layout);
}

bool CHoverButton::LoadButtonBitmap(const QPixmap& picture, int layout) {
    layoutKind = layout < NoPicture ? NoPicture : layout;
    bitmap = QPixmap();
    if (layoutKind != NoPicture && !picture.isNull()) {
        const QPalette& pal = palette();
        bitmap = QPixmap::fromImage(mapSystemColours(picture.toImage(), pal.color(QPalette::Dark),
                                                     pal.color(QPalette::Button),
                                                     pal.color(QPalette::Midlight)));
    }
    updateGeometry();
    update();
    return true;
}

void CHoverButton::SetToolTipText(const std::optional<QString>& text, bool activate) {
    if (!text)
        return;
    // One tip for the whole button; it follows the button when it resizes itself.
    tipText = *text;
    tipActive = activate;
    setToolTip(tipActive ? tipText : QString());
}

QColor CHoverButton::captionColour() const {
    if (!isEnabled())
        return QColor::fromRgb(kCaptionDisabled);
    if (isDown())
        return QColor::fromRgb(kCaptionPressed);
    if (hoverFlag)
        return QColor::fromRgb(kCaptionHover);
    return QColor::fromRgb(kCaptionNormal);
}

CHoverButton::Geometry CHoverButton::currentGeometry() const {
    const QFontMetrics fm(font());
    const QString caption = text();
    const QSize textSize(fm.horizontalAdvance(caption), fm.height());
    const QSize bitmapSize = layoutKind > NoPicture ? bitmap.size() : QSize(0, 0);
    return ComputeLayout(layoutKind, textSize, bitmapSize);
}

QSize CHoverButton::layoutSize() const {
    const Geometry g = currentGeometry();
    return QSize(g.width, g.height);
}

QSize CHoverButton::sizeHint() const {
    return layoutSize();
}
QSize CHoverButton::minimumSizeHint() const {
    return layoutSize();
}

void CHoverButton::paintEvent(QPaintEvent* /*e*/) {
    const QSize item = size();
    const Geometry g = currentGeometry();
    drawnW = g.width;
    drawnH = g.height;
    if (item != QSize(g.width, g.height)) {
        resize(g.width, g.height);
        raise();
    }

    QPainter p(this);
    p.fillRect(QRect(0, 0, g.width, g.height), QColor::fromRgb(kFace));
    if (layoutKind > NoPicture && !bitmap.isNull())
        p.drawPixmap(g.picture, bitmap);

    int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine;
    flags |= style()->styleHint(QStyle::SH_UnderlineShortcut, nullptr, this) ? Qt::TextShowMnemonic
                                                                             : Qt::TextHideMnemonic;
    p.setFont(font());
    p.setPen(captionColour());
    p.drawText(QRect(g.caption, item), flags, text());
    // The keyboard focus shows, as on every other button.
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = QRect(0, 0, g.width, g.height).adjusted(1, 1, -1, -1);
        focus.backgroundColor = QColor::fromRgb(kFace);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &p, this);
    }
}

void CHoverButton::enterEvent(QEnterEvent* e) {
    if (!tracking) {
        tracking = true;
        hoverFlag = true;
        update();
    }
    QPushButton::enterEvent(e);
}

void CHoverButton::mouseMoveEvent(QMouseEvent* e) {
    if (!tracking && rect().contains(e->position().toPoint())) {
        tracking = true;
        hoverFlag = true;
        update();
    }
    QPushButton::mouseMoveEvent(e);
}

void CHoverButton::leaveEvent(QEvent* e) {
    tracking = false;
    hoverFlag = false;
    update();
    QPushButton::leaveEvent(e);
}

void CHoverButton::keyPressEvent(QKeyEvent* e) {
    const bool plain = (e->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (plain && (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter)) {
        click();
        e->accept();
        return;
    }
    QPushButton::keyPressEvent(e);
}
