#include "labels/QtDrawSurface.h"
#include "labels/PdfPrintDevice.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

QImage page(int dpi) {
    QImage image(400, 200, QImage::Format_RGB32);
    image.fill(Qt::white);
    const int dotsPerMetre = qRound(dpi / 0.0254);
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    return image;
}

// Rows of the image that hold any non-white pixel.
std::pair<int, int> inkRows(const QImage& image) {
    int first = -1, last = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != qRgb(255, 255, 255)) {
                if (first < 0)
                    first = y;
                last = y;
                break;
            }
    return {first, last};
}

} // namespace

TEST(QtDrawSurface, CharacterHeightFromTenthsOfAPoint) {
    EXPECT_EQ(QtDrawSurface::pixelSize(100, 600), 83); // 83.3
    EXPECT_EQ(QtDrawSurface::pixelSize(110, 96), 15);  // 14.67
    EXPECT_EQ(QtDrawSurface::pixelSize(90, 96), 12);   // 12.0
    EXPECT_EQ(QtDrawSurface::pixelSize(150, 203), 42); // 42.29
    EXPECT_EQ(QtDrawSurface::pixelSize(75, 96), 10);   // 10.0
    EXPECT_EQ(QtDrawSurface::pixelSize(105, 48), 7);   // 7.0
    EXPECT_EQ(QtDrawSurface::pixelSize(45, 80), 5);    // 5.0
    EXPECT_EQ(QtDrawSurface::pixelSize(81, 100), 11);  // 11.25
}

TEST(QtDrawSurface, MeasuresAndDrawsFromTheCellsTopLeft) {
    QImage image = page(96);
    QPainter painter(&image);
    QtDrawSurface dc(painter);
    EXPECT_EQ(dc.deviceCaps(DeviceCap::LogPixelsY), 96);
    LabelFont font = MakeLabelFont("DejaVu Sans", 0, 0, 30);
    ASSERT_TRUE(dc.selectFont(font));
    ASSERT_TRUE(dc.selectFont(font));
    EXPECT_EQ(dc.cachedFonts(), 1u); // made once, however often it is selected

    QFont expected(QStringLiteral("DejaVu Sans"));
    expected.setPixelSize(40);
    const QFontMetrics fm(expected, &image);
    const TextExtent e = dc.textExtent("Hg");
    EXPECT_EQ(e.cx, fm.horizontalAdvance(QStringLiteral("Hg")));
    EXPECT_EQ(e.cy, fm.ascent() + fm.descent());
    const TextMetrics tm = dc.textMetrics();
    EXPECT_EQ(tm.tmHeight, e.cy);
    EXPECT_GE(tm.tmExternalLeading, 0);

    dc.setTextColour(0x000000);
    dc.setTransparentBackground();
    dc.textOut(10, 50, "Hg");
    painter.end();
    const auto [top, bottom] = inkRows(image);
    EXPECT_GE(top, 50); // nothing above the cell
    EXPECT_LT(top, 50 + tm.tmAscent);
    EXPECT_LT(bottom, 50 + tm.tmHeight);
    EXPECT_GT(bottom, 50 + tm.tmAscent); // the descender goes below the baseline

    // Widths belong to their font: the same text measured in a smaller one is narrower.
    ASSERT_TRUE(dc.selectFont(MakeLabelFont("DejaVu Sans", 0, 0, 15)));
    EXPECT_LT(dc.textExtent("Hg").cx, e.cx);
    ASSERT_TRUE(dc.selectFont(font));
    EXPECT_EQ(dc.textExtent("Hg").cx, e.cx);

    // A font too small for the device is not made; the previous one stays.
    EXPECT_FALSE(dc.selectFont(MakeLabelFont("DejaVu Sans", 0, 0, 0)));
    EXPECT_EQ(dc.textExtent("Hg").cx, e.cx);
}

TEST(QtDrawSurface, FramesAreOneUnitInside) {
    QImage image = page(96);
    QPainter painter(&image);
    QtDrawSurface dc(painter);
    dc.frameRect({10, 20, 30, 40}, StockBrush::DarkGrey);
    painter.end();
    EXPECT_EQ(image.pixel(10, 20), qRgb(64, 64, 64));
    EXPECT_EQ(image.pixel(29, 39), qRgb(64, 64, 64));
    EXPECT_EQ(image.pixel(30, 40), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(11, 21), qRgb(255, 255, 255));
    EXPECT_EQ(stockBrushColour(StockBrush::LightGrey), 0xC0C0C0u);
}

TEST(PdfPrintDevice, PagesAtTheChosenResolution) {
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    PdfPrintDevice device(out, 300);
    EXPECT_EQ(device.deviceCaps(DeviceCap::LogPixelsX), 300);
    EXPECT_EQ(device.deviceCaps(DeviceCap::PhysicalOffsetX), 0);
    ASSERT_GT(device.startDoc(QString()), 0);
    for (int p = 0; p < 3; ++p) {
        ASSERT_GT(device.startPage(), 0);
        device.surface().frameRect({0, 0, 100, 100}, StockBrush::Black);
        ASSERT_GT(device.endPage(), 0);
    }
    ASSERT_GT(device.endDoc(), 0);
    EXPECT_TRUE(device.completed());
    EXPECT_EQ(out.data().count("/Type /Page\n") + out.data().count("/Type /Page "), 3)
        << "three pages";
}
