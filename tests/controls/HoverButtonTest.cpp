#include "controls/HoverButton.h"
#include "controls/Artwork.h"
#include "platform/ui/DialogUnits.h"

#include <QApplication>
#include <QCursor>
#include <QEnterEvent>
#include <QPainter>
#include <QSignalSpy>
#include <QStyle>
#include <QTest>
#include <gtest/gtest.h>

namespace {

struct LayoutCase {
    int layout;
    QSize text;
    QSize bitmap;
    int width;
    int height;
    QPoint caption;
    QPoint picture;
};

class HoverLayoutTest : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(HoverLayoutTest, PlacesPictureAndCaption) {
    const LayoutCase c = GetParam();
    const CHoverButton::Geometry g = CHoverButton::ComputeLayout(c.layout, c.text, c.bitmap);
    EXPECT_EQ(g.width, c.width);
    EXPECT_EQ(g.height, c.height);
    EXPECT_EQ(g.caption, c.caption);
    EXPECT_EQ(g.picture, c.picture);
}

INSTANTIATE_TEST_SUITE_P(Layouts, HoverLayoutTest,
                         ::testing::Values(
                             // Picture left: 29 high with a 16 x 16 picture, caption from x = 30.
                             LayoutCase{2, {61, 15}, {16, 16}, 105, 29, {30, 6}, {7, 6}},
                             LayoutCase{2, {60, 14}, {16, 16}, 104, 29, {30, 6}, {7, 6}},
                             // A missing picture still keeps the margins.
                             LayoutCase{2, {60, 15}, {0, 0}, 88, 13, {14, -2}, {7, 6}},
                             // No picture: the caption centred, halves rounded down.
                             LayoutCase{0, {61, 15}, {0, 0}, 77, 32, {7, 10}, {38, 7}},
                             LayoutCase{0, {60, 15}, {0, 0}, 76, 32, {7, 10}, {38, 7}},
                             // Picture above; a picture wider than the caption is cut at the sides.
                             LayoutCase{1, {61, 15}, {16, 16}, 77, 48, {7, 26}, {30, 7}},
                             LayoutCase{1, {10, 15}, {40, 16}, 26, 48, {7, 26}, {-7, 7}}));

// A button set up as the main window sets up its buttons.
std::unique_ptr<CHoverButton> makeButton(const QString& caption, int bitmapId, int layout) {
    auto b = std::make_unique<CHoverButton>(caption);
    b->setFont(DialogUnits::dialogFont());
    b->LoadButtonBitmap(bitmapId, layout);
    return b;
}

void draw(CHoverButton& b) {
    // Keep the pointer off the button unless a test moves it there.
    b.move(QCursor::pos() + QPoint(100, 100));
    b.show();
    b.repaint();
    // The draw resized the button; let that settle as a window would.
    QCoreApplication::processEvents();
}

int textWidth(const CHoverButton& b) {
    return QFontMetrics(b.font()).horizontalAdvance(b.text());
}

TEST(HoverButton, PrintLabelsButtonSizesItselfWhenDrawn) {
    auto b = makeButton(QStringLiteral("Print Labels"), Artwork::kPrintLabels,
                        CHoverButton::PictureLeft);
    b->resize(115, 23); // the template size; the draw replaces it
    draw(*b);
    EXPECT_EQ(b->drawnHeight(), 29);
    EXPECT_EQ(b->drawnWidth(), textWidth(*b) + 44);
    EXPECT_EQ(b->size(), QSize(textWidth(*b) + 44, 29));
    EXPECT_EQ(b->picture().size(), QSize(16, 16));

    // A longer caption gives a wider button at the next draw.
    b->setText(QStringLiteral("Print All The Labels"));
    draw(*b);
    EXPECT_EQ(b->width(), textWidth(*b) + 44);
}

TEST(HoverButton, WithoutPictureTheCaptionAloneGivesTheSize) {
    auto b = makeButton(QStringLiteral("Select All"), Artwork::kSelectAll, CHoverButton::NoPicture);
    draw(*b);
    const QFontMetrics fm(b->font());
    EXPECT_TRUE(b->picture().isNull());
    EXPECT_EQ(b->size(), QSize(textWidth(*b) + 16, fm.height() + 17));

    auto negative = makeButton(QStringLiteral("Help"), Artwork::kHelp, -3);
    EXPECT_EQ(negative->layout(), 0);
    EXPECT_TRUE(negative->picture().isNull());

    // An unknown picture leaves the button without one, margins kept.
    auto missing = makeButton(QStringLiteral("Help"), 9999, CHoverButton::PictureLeft);
    draw(*missing);
    EXPECT_TRUE(missing->picture().isNull());
    EXPECT_EQ(missing->size(), QSize(textWidth(*missing) + 28, 13));
}

struct StateCase {
    const char* name;
    bool hover;
    bool pressed;
    bool enabled;
    QRgb colour;
};

class HoverStateTest : public ::testing::TestWithParam<StateCase> {};

// Counts pixels of exactly one colour.
int pixelsOf(const QImage& img, QRgb colour) {
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            n += (img.pixel(x, y) | 0xFF000000u) == (colour | 0xFF000000u);
    return n;
}

TEST_P(HoverStateTest, CaptionColourFollowsTheState) {
    const StateCase c = GetParam();
    auto b =
        makeButton(QStringLiteral("Delete All"), Artwork::kDeleteAll, CHoverButton::PictureLeft);
    draw(*b);
    if (c.hover) {
        QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
        QApplication::sendEvent(b.get(), &enter);
    }
    b->setDown(c.pressed);
    b->setEnabled(c.enabled);
    EXPECT_EQ(b->captionColour().rgb(), c.colour) << c.name;

    // The caption is painted in that colour, and in no other caption colour.
    const QImage img = b->grab().toImage();
    const QRect caption(30, 0, b->width() - 30, b->height());
    EXPECT_GT(pixelsOf(img.copy(caption), c.colour), 3) << c.name;
    for (QRgb other : {CHoverButton::kCaptionNormal, CHoverButton::kCaptionHover,
                       CHoverButton::kCaptionPressed, CHoverButton::kCaptionDisabled}) {
        if (other != c.colour) {
            EXPECT_EQ(pixelsOf(img.copy(caption), other), 0) << c.name;
        }
    }
    // The face is flat in every state.
    EXPECT_EQ(img.pixel(1, 1) | 0xFF000000u, CHoverButton::kFace);
    EXPECT_EQ(img.pixel(b->width() - 2, b->height() - 2) | 0xFF000000u, CHoverButton::kFace);
}

INSTANTIATE_TEST_SUITE_P(
    States, HoverStateTest,
    ::testing::Values(
        StateCase{"normal", false, false, true, CHoverButton::kCaptionNormal},
        StateCase{"hover", true, false, true, CHoverButton::kCaptionHover},
        StateCase{"pressed", false, true, true, CHoverButton::kCaptionPressed},
        StateCase{"pressed under the pointer", true, true, true, CHoverButton::kCaptionPressed},
        StateCase{"disabled", false, false, false, CHoverButton::kCaptionDisabled},
        StateCase{"disabled under the pointer", true, false, false, CHoverButton::kCaptionDisabled},
        StateCase{"disabled and pressed", true, true, false, CHoverButton::kCaptionDisabled}));

TEST(HoverButton, PointerEnteringAndLeavingTurnsHoverOnAndOff) {
    auto b = makeButton(QStringLiteral("Add"), Artwork::kAdd, CHoverButton::PictureLeft);
    draw(*b);
    EXPECT_FALSE(b->hover());
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(b.get(), &enter);
    EXPECT_TRUE(b->hover());

    // Pressed and released under the pointer: white, then blue again.
    QTest::mousePress(b.get(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(b->captionColour().rgb(), CHoverButton::kCaptionPressed);
    QTest::mouseRelease(b.get(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(b->captionColour().rgb(), CHoverButton::kCaptionHover);

    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(b.get(), &leave);
    EXPECT_FALSE(b->hover());
    EXPECT_EQ(b->captionColour().rgb(), CHoverButton::kCaptionNormal);
    QApplication::sendEvent(b.get(), &enter);
    EXPECT_TRUE(b->hover()) << "each entry is reported again";
}

TEST(HoverButton, DoubleAmpersandDrawsOneAmpersand) {
    auto b = makeButton(QStringLiteral("Save && Print"), 0, CHoverButton::NoPicture);
    draw(*b);
    // The caption is measured as written, ampersands and all.
    EXPECT_EQ(b->width(), textWidth(*b) + 16);

    const CHoverButton::Geometry g = CHoverButton::ComputeLayout(
        0, QSize(textWidth(*b), QFontMetrics(b->font()).height()), QSize(0, 0));
    QImage expected(b->size(), QImage::Format_ARGB32_Premultiplied);
    expected.fill(QColor::fromRgb(CHoverButton::kFace));
    {
        QPainter p(&expected);
        p.setFont(b->font());
        p.setPen(QColor::fromRgb(CHoverButton::kCaptionNormal));
        p.drawText(QRect(g.caption, b->size()), Qt::AlignLeft | Qt::AlignTop,
                   QStringLiteral("Save & Print"));
    }
    EXPECT_EQ(b->grab().toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied), expected);
}

TEST(HoverButton, SecondToolTipReplacesTheFirst) {
    auto b = makeButton(QStringLiteral("Website"), Artwork::kWebsite, CHoverButton::PictureLeft);
    b->SetToolTipText(std::nullopt, true);
    EXPECT_TRUE(b->toolTip().isEmpty());
    b->SetToolTipText(QStringLiteral("Visit one.example"), true);
    b->SetToolTipText(QStringLiteral("Visit two.example"), true);
    EXPECT_EQ(b->toolTip(), QStringLiteral("Visit two.example"));
    b->SetToolTipText(std::nullopt, true);
    EXPECT_EQ(b->toolTip(), QStringLiteral("Visit two.example")) << "no text changes nothing";
    b->SetToolTipText(QStringLiteral("Visit three.example"), false);
    EXPECT_TRUE(b->toolTip().isEmpty()) << "an inactive tip does not show";
    EXPECT_EQ(b->toolTipText(), QStringLiteral("Visit three.example"));
}

TEST(HoverButton, KeyboardActivatesTheFocusedButton) {
    auto b = makeButton(QStringLiteral("Repeat"), Artwork::kRepeat, CHoverButton::PictureLeft);
    EXPECT_EQ(b->focusPolicy(), Qt::StrongFocus);
    draw(*b);
    QSignalSpy clicked(b.get(), &QAbstractButton::clicked);
    QTest::keyClick(b.get(), Qt::Key_Space);
    QTest::keyClick(b.get(), Qt::Key_Return);
    QTest::keyClick(b.get(), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(clicked.count(), 3);

    b->setEnabled(false);
    QTest::keyClick(b.get(), Qt::Key_Return);
    EXPECT_EQ(clicked.count(), 3);
}

TEST(HoverButton, ReservedGreysTakeTheSystemColours) {
    QImage img(4, 1, QImage::Format_RGB32);
    img.setPixel(0, 0, qRgb(128, 128, 128));
    img.setPixel(1, 0, qRgb(192, 192, 192));
    img.setPixel(2, 0, qRgb(223, 223, 223));
    img.setPixel(3, 0, qRgb(193, 192, 192));
    const QImage out =
        CHoverButton::mapSystemColours(img, QColor(1, 2, 3), QColor(4, 5, 6), QColor(7, 8, 9));
    EXPECT_EQ(out.pixel(0, 0), qRgb(1, 2, 3));
    EXPECT_EQ(out.pixel(1, 0), qRgb(4, 5, 6));
    EXPECT_EQ(out.pixel(2, 0), qRgb(7, 8, 9));
    EXPECT_EQ(out.pixel(3, 0), qRgb(193, 192, 192));
}

} // namespace
