#include "controls/Artwork.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>

namespace {

// The Brambleworks colours: a deep bramble plum, a berry accent and a warm quill gold.
const QColor kPlumDark(52, 24, 66);
const QColor kPlum(96, 44, 112);
const QColor kBerry(168, 56, 112);
const QColor kGold(240, 182, 74);
const QColor kLeaf(52, 140, 72);
const QColor kRed(200, 44, 44);
const QColor kBlue(34, 102, 204);
const QColor kInk(64, 64, 64);
const QColor kHeadingText(72, 72, 72);
const QColor kStripLine(170, 170, 170);
const QColor kCardLine(176, 150, 188);

constexpr int kHeadingHeight = 35;

// Button pictures are opaque 24-bit images on the button face.
QImage faceImage() {
    QImage img(16, 16, QImage::Format_RGB32);
    img.fill(QColor::fromRgb(Artwork::kFaceGrey));
    return img;
}

void smooth(QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
}

QFont boldFont(int pixelSize) {
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(pixelSize);
    f.setBold(true);
    return f;
}

// A small white label with a plum rim and one line of "text".
void card(QPainter& p, const QRectF& r, bool withLines = true) {
    p.setPen(QPen(kPlum, 1.0));
    p.setBrush(Qt::white);
    p.drawRoundedRect(r, 1.5, 1.5);
    if (!withLines)
        return;
    p.setPen(QPen(kCardLine, 1.0));
    const qreal x0 = r.left() + 2.5;
    const qreal x1 = r.right() - 2.5;
    for (qreal y = r.top() + 3.0; y < r.bottom() - 1.5; y += 2.5)
        p.drawLine(QPointF(x0, y), QPointF(x1, y));
}

// A round badge in a corner of a picture, for the "+" and "x" marks.
void badge(QPainter& p, const QColor& colour, bool plus) {
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawEllipse(QRectF(7.5, 7.5, 8.5, 8.5));
    p.setPen(QPen(Qt::white, 1.6, Qt::SolidLine, Qt::RoundCap));
    const QPointF c(11.75, 11.75);
    if (plus) {
        p.drawLine(c + QPointF(-2.3, 0), c + QPointF(2.3, 0));
        p.drawLine(c + QPointF(0, -2.3), c + QPointF(0, 2.3));
    } else {
        p.drawLine(c + QPointF(-1.8, -1.8), c + QPointF(1.8, 1.8));
        p.drawLine(c + QPointF(-1.8, 1.8), c + QPointF(1.8, -1.8));
    }
}

void drawSelectAll(QPainter& p) {
    p.setPen(QPen(kInk, 1.0, Qt::DotLine));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(1.5, 1.5, 13, 13));
    p.setPen(QPen(kLeaf, 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    QPainterPath tick;
    tick.moveTo(4.5, 8.0);
    tick.lineTo(7.0, 10.5);
    tick.lineTo(11.5, 5.0);
    p.drawPath(tick);
}

void drawAddToLabelList(QPainter& p) {
    card(p, QRectF(5.5, 5.5, 10, 9));
    p.setPen(QPen(kLeaf, 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(QPointF(1.5, 4.0), QPointF(7.0, 4.0));
    p.setPen(Qt::NoPen);
    p.setBrush(kLeaf);
    QPainterPath head;
    head.moveTo(6.0, 0.5);
    head.lineTo(10.5, 4.0);
    head.lineTo(6.0, 7.5);
    head.closeSubpath();
    p.drawPath(head);
}

void drawSettings(QPainter& p) {
    const QPointF c(8, 8);
    QPainterPath gear;
    const int teeth = 8;
    for (int i = 0; i < teeth * 4; ++i) {
        const double a = (i - 0.5) * M_PI * 2 / (teeth * 4);
        const double r = (i % 4 == 0 || i % 4 == 1) ? 7.3 : 5.3;
        const QPointF pt(c.x() + r * std::cos(a), c.y() + r * std::sin(a));
        if (i == 0)
            gear.moveTo(pt);
        else
            gear.lineTo(pt);
    }
    gear.closeSubpath();
    QPainterPath hole;
    hole.addEllipse(c, 2.2, 2.2);
    p.setPen(QPen(kPlumDark, 0.8));
    p.setBrush(kPlum);
    p.drawPath(gear.subtracted(hole));
}

void drawHelp(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(kBlue);
    p.drawEllipse(QRectF(0.5, 0.5, 15, 15));
    p.setPen(Qt::white);
    p.setFont(boldFont(12));
    p.drawText(QRectF(0, 0, 16, 16.5), Qt::AlignCenter, QStringLiteral("?"));
}

void drawWebsite(QPainter& p) {
    const QRectF globe(1.5, 1.5, 13, 13);
    p.setPen(Qt::NoPen);
    QRadialGradient sea(QPointF(5.5, 5), 11);
    sea.setColorAt(0, QColor(120, 178, 240));
    sea.setColorAt(1, kBlue);
    p.setBrush(sea);
    p.drawEllipse(globe);
    p.setPen(QPen(QColor(255, 255, 255, 210), 0.9));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(4.5, 1.5, 7, 13));
    p.drawLine(QPointF(1.5, 8), QPointF(14.5, 8));
    p.setPen(QPen(QColor(20, 70, 150), 1.0));
    p.drawEllipse(globe);
}

void drawAdd(QPainter& p) {
    card(p, QRectF(0.5, 1.5, 12, 10));
    badge(p, kLeaf, true);
}

void drawRepeat(QPainter& p) {
    card(p, QRectF(4.5, 0.5, 11, 9), false);
    card(p, QRectF(2.5, 3.5, 11, 9), false);
    card(p, QRectF(0.5, 6.5, 11, 9));
}

void drawDelete(QPainter& p) {
    card(p, QRectF(0.5, 1.5, 12, 10));
    badge(p, kRed, false);
}

void drawDeleteAll(QPainter& p) {
    const QColor rim(84, 84, 94);
    p.setPen(Qt::NoPen);
    p.setBrush(rim);
    p.drawRoundedRect(QRectF(5.5, 0.5, 5, 3), 1, 1);
    p.drawRoundedRect(QRectF(1, 2.5, 14, 2.5), 1, 1);
    QPainterPath bin;
    bin.moveTo(3.0, 5.5);
    bin.lineTo(13.0, 5.5);
    bin.lineTo(12.0, 15.5);
    bin.lineTo(4.0, 15.5);
    bin.closeSubpath();
    p.setPen(QPen(rim, 1.0));
    p.setBrush(QColor(176, 178, 188));
    p.drawPath(bin);
    p.setPen(QPen(rim, 1.0));
    for (qreal x : {5.5, 8.0, 10.5})
        p.drawLine(QPointF(x, 7.5), QPointF(x, 13.5));
}

void drawPrint(QPainter& p) {
    // Paper feeding in at the back.
    p.setPen(QPen(kInk, 1.0));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(4.5, 0.5, 7, 5));
    // The printer body.
    QLinearGradient g(0, 5, 0, 12);
    g.setColorAt(0, QColor(118, 118, 126));
    g.setColorAt(1, QColor(74, 74, 82));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRoundedRect(QRectF(0.5, 4.5, 15, 7.5), 1.5, 1.5);
    p.setBrush(kLeaf);
    p.drawEllipse(QRectF(12, 6, 2, 2));
    // The printed sheet with a row of labels on it.
    p.setPen(QPen(kInk, 1.0));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(3.5, 9.5, 9, 6));
    p.setPen(Qt::NoPen);
    p.setBrush(kBerry);
    p.drawRect(QRectF(5, 11, 2.5, 1.5));
    p.drawRect(QRectF(8.5, 11, 2.5, 1.5));
    p.drawRect(QRectF(5, 13.2, 2.5, 1.3));
    p.drawRect(QRectF(8.5, 13.2, 2.5, 1.3));
}

// Pure grey values 128, 192 and 223 are replaced by the system colours when buttons load
// their pictures, so the pictures keep away from them.
QPixmap buttonPixmap(void (*draw)(QPainter&)) {
    QImage img = faceImage();
    {
        QPainter p(&img);
        smooth(p);
        draw(p);
    }
    return QPixmap::fromImage(img);
}

QPixmap heading(int width, const QString& word) {
    QImage img(width, kHeadingHeight, QImage::Format_RGB32);
    img.fill(QColor::fromRgb(Artwork::kStripGrey));
    QPainter p(&img);
    smooth(p);
    p.fillRect(QRect(0, kHeadingHeight - 1, width, 1), kStripLine);
    if (!word.isEmpty()) {
        // A short berry accent marks the start of each band.
        p.setPen(Qt::NoPen);
        p.setBrush(kBerry);
        p.drawRoundedRect(QRectF(9, 10, 4, 15), 2, 2);
        p.setPen(kHeadingText);
        p.setFont(boldFont(16));
        p.drawText(QRect(20, 0, width - 20, kHeadingHeight - 1), Qt::AlignLeft | Qt::AlignVCenter,
                   word);
    }
    return QPixmap::fromImage(img);
}

// The icon in a 256-unit square; the scalable icon file draws the same shapes.
void drawIcon(QPainter& p, int size, bool outlined = false) {
    smooth(p);
    p.scale(size / 256.0, size / 256.0);
    const bool tiny = size < 24;

    QLinearGradient bg(QPointF(16, 16), QPointF(240, 240));
    bg.setColorAt(0, QColor(120, 54, 138));
    bg.setColorAt(1, kPlumDark);
    p.setPen(Qt::NoPen);
    p.setBrush(bg);
    p.drawRoundedRect(QRectF(16, 16, 224, 224), 48, 48);
    if (outlined) {
        // On a dark background the tile needs an edge to stand out.
        p.setPen(QPen(QColor(255, 255, 255, 90), 6));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(QRectF(16, 16, 224, 224), 48, 48);
        p.setPen(Qt::NoPen);
    }

    // The label, tilted a little as if just peeled off the sheet.
    p.save();
    p.translate(124, 128);
    p.rotate(tiny ? 0 : -8);
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(-84, -58, 168, 112), 18, 18);
    p.setBrush(kPlum);
    p.drawRoundedRect(QRectF(-60, -32, 88, tiny ? 20 : 14), 7, 7);
    p.setBrush(QColor(196, 178, 206));
    if (tiny) {
        p.drawRoundedRect(QRectF(-60, 2, 110, 20), 7, 7);
    } else {
        p.drawRoundedRect(QRectF(-60, -6, 116, 10), 5, 5);
        p.drawRoundedRect(QRectF(-60, 14, 76, 10), 5, 5);
    }
    p.restore();

    // The quill, crossing the label's corner.
    QPainterPath feather;
    feather.moveTo(222, 30);
    feather.cubicTo(176, 44, 140, 92, 124, 166);
    feather.cubicTo(162, 140, 204, 96, 222, 30);
    p.setBrush(kGold);
    p.setPen(QPen(QColor(150, 96, 20), tiny ? 8 : 3));
    p.drawPath(feather);
    p.setPen(QPen(kPlumDark, tiny ? 12 : 7, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(214, 42), QPointF(104, 214));
}

} // namespace

QPixmap Artwork::banner() {
    constexpr int w = 465;
    constexpr int h = 193;
    QImage img(w, h, QImage::Format_RGB32);
    QPainter p(&img);
    smooth(p);

    QLinearGradient bg(QPointF(0, 0), QPointF(w, h));
    bg.setColorAt(0, QColor(40, 18, 54));
    bg.setColorAt(1, QColor(88, 36, 100));
    p.fillRect(img.rect(), bg);
    QRadialGradient glow(QPointF(430, 10), 260);
    glow.setColorAt(0, QColor(168, 56, 112, 120));
    glow.setColorAt(1, QColor(168, 56, 112, 0));
    p.fillRect(img.rect(), glow);

    // A faint sheet of labels on the right, tilted, behind everything.
    p.save();
    p.translate(330, -40);
    p.rotate(14);
    p.setPen(QPen(QColor(255, 255, 255, 26), 1.2));
    p.setBrush(QColor(255, 255, 255, 10));
    for (int row = 0; row < 7; ++row)
        for (int col = 0; col < 3; ++col)
            p.drawRoundedRect(QRectF(col * 62, row * 36, 54, 28), 5, 5);
    p.restore();

    // The mark and the product name.
    p.save();
    p.translate(28, 14);
    drawIcon(p, 44, true);
    p.restore();
    p.setPen(Qt::white);
    QFont title = boldFont(30);
    title.setLetterSpacing(QFont::AbsoluteSpacing, 0.5);
    p.setFont(title);
    p.drawText(QRect(82, 12, 300, 46), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Quillmark"));
    QFont tag(QStringLiteral("Arial"));
    tag.setPixelSize(11);
    tag.setLetterSpacing(QFont::AbsoluteSpacing, 1.6);
    p.setFont(tag);
    p.setPen(QColor(232, 206, 238));
    const QFontMetrics tm(title);
    p.drawText(QPoint(84 + tm.horizontalAdvance(QStringLiteral("Quillmark")) + 10, 46),
               QStringLiteral("ADDRESS LABELS"));

    // A gold rule under the name, above the information lines.
    p.setPen(Qt::NoPen);
    p.setBrush(kGold);
    p.drawRoundedRect(QRectF(30, 62, 48, 3), 1.5, 1.5);

    // A perforation near the foot, like the tear line of a label sheet.
    p.setPen(QPen(QColor(255, 255, 255, 70), 1.0, Qt::CustomDashLine));
    QPen perf = p.pen();
    perf.setDashPattern({4, 4});
    p.setPen(perf);
    p.drawLine(QPointF(0, 168.5), QPointF(w, 168.5));
    p.fillRect(QRect(0, 169, w, h - 169), QColor(0, 0, 0, 40));
    return QPixmap::fromImage(img);
}

QPixmap Artwork::headingContacts() {
    return heading(119, QStringLiteral("Contacts"));
}
QPixmap Artwork::headingLabels() {
    return heading(98, QStringLiteral("Labels"));
}
QPixmap Artwork::headingPrint() {
    return heading(77, QStringLiteral("Print"));
}
QPixmap Artwork::headingStrip() {
    return heading(554, QString());
}

QPixmap Artwork::buttonPicture(int controlId) {
    switch (controlId) {
    case 1029:
        return buttonPixmap(drawSelectAll);
    case 1025:
        return buttonPixmap(drawAddToLabelList);
    case 1053:
        return buttonPixmap(drawSettings);
    case 1154:
        return buttonPixmap(drawHelp);
    case 1054:
        return buttonPixmap(drawWebsite);
    case 1004:
        return buttonPixmap(drawAdd);
    case 1095:
        return buttonPixmap(drawRepeat);
    case 1030:
        return buttonPixmap(drawDelete);
    case 1031:
        return buttonPixmap(drawDeleteAll);
    case 1026:
        return buttonPixmap(drawPrint);
    default:
        return QPixmap();
    }
}

QPixmap Artwork::bitmap(int resourceId) {
    switch (resourceId) {
    case kBanner:
        return banner();
    case kHeadingContacts:
        return headingContacts();
    case kHeadingLabels:
        return headingLabels();
    case kHeadingPrint:
        return headingPrint();
    case kHeadingStrip:
        return headingStrip();
    case kSelectAll:
        return buttonPicture(1029);
    case kAddToLabelList:
        return buttonPicture(1025);
    case kSettings:
        return buttonPicture(1053);
    case kWebsite:
        return buttonPicture(1054);
    case kHelp:
        return buttonPicture(1154);
    case kAdd:
        return buttonPicture(1004);
    case kRepeat:
        return buttonPicture(1095);
    case kDelete:
        return buttonPicture(1030);
    case kDeleteAll:
        return buttonPicture(1031);
    case kPrintLabels:
        return buttonPicture(1026);
    default:
        return QPixmap();
    }
}

QPixmap Artwork::appIconPixmap(int size) {
    QImage img(size, size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    {
        QPainter p(&img);
        drawIcon(p, size);
    }
    return QPixmap::fromImage(img);
}

QIcon Artwork::appIcon() {
    QIcon icon;
    for (int size : {16, 32, 48, 256})
        icon.addPixmap(appIconPixmap(size));
    return icon;
}
