#include "labels/DimensionValues.h"
#include "labels/FieldCheck.h"
#include "labels/PagePreview.h"
#include "labels/SampleFit.h"

#include <gtest/gtest.h>

namespace {

DimensionValues grid(float w, float h, float top, float side, float vg, float hg, unsigned across,
                     unsigned down) {
    DimensionValues v;
    v.labelWidth = w;
    v.labelHeight = h;
    v.topMargin = top;
    v.sideMargin = side;
    v.verticalGutter = vg;
    v.horizontalGutter = hg;
    v.numberAcross = across;
    v.numberDown = down;
    return v;
}

} // namespace

TEST(PagePreview, DefaultSheetFirstLabelAndSteps) {
    const auto g = PagePreview::ComputeGrid(DimensionValues::fromGeometry(SheetGeometry{}));
    EXPECT_EQ(g.first, (DeviceRect{3, 7, 46, 21}));
    EXPECT_EQ(g.stepX, 44);
    EXPECT_EQ(g.stepY, 15);
    const auto rects = PagePreview::Outlines(g);
    ASSERT_EQ(rects.size(), 16u);
    EXPECT_EQ(rects.back(), (DeviceRect{3 + 44, 7 + 7 * 15, 46 + 44, 21 + 7 * 15}));
}

TEST(PagePreview, ThreeByTenGridEndsAt106) {
    const auto rects =
        PagePreview::Outlines(PagePreview::ComputeGrid(grid(70, 25, 13, 0, 0, 0, 3, 10)));
    ASSERT_EQ(rects.size(), 30u);
    EXPECT_EQ(rects.back().top, 106);
    EXPECT_EQ(rects[2].left, rects[0].left + 2 * PagePreview::MmToPreview(70));
}

TEST(PagePreview, SumsAreTruncatedAfterAdding) {
    // 0.6 + 0.6 mm is 1 mm when added first, 0 when each is truncated first.
    const auto g = PagePreview::ComputeGrid(grid(60.6f, 20.6f, 0.6f, 0.6f, 0.6f, 0.6f, 1, 1));
    EXPECT_EQ(g.stepX, PagePreview::MmToPreview(61));
    EXPECT_EQ(g.stepY, PagePreview::MmToPreview(21));
    EXPECT_EQ(g.first.right, PagePreview::MmToPreview(61) + 1);
    EXPECT_EQ(g.first.left, 1);
}

TEST(PagePreview, MmToPreviewRoundsAtTheFixedScale) {
    EXPECT_EQ(PagePreview::MmToPreview(210), 91);
    EXPECT_EQ(PagePreview::MmToPreview(297), 129);
    EXPECT_EQ(PagePreview::MmToPreview(0), 0);
    EXPECT_EQ(PagePreview::MmToPreview(1), 0);
    EXPECT_EQ(PagePreview::MmToPreview(2), 1);
}

TEST(PagePreview, TallGridRunsPastTheSheet) {
    const auto rects =
        PagePreview::Outlines(PagePreview::ComputeGrid(grid(50, 30, 10, 5, 0, 0, 1, 12)));
    EXPECT_GT(rects.back().bottom, PagePreview::kSheet.bottom);
}

struct FitCase {
    float w, h;
    int pageW, pageH;
    int scale, x, y, width, height;
    const char* caption;
};

class SampleFitTest : public ::testing::TestWithParam<FitCase> {};

TEST_P(SampleFitTest, ScalePlaceAndCaption) {
    const FitCase& c = GetParam();
    const SampleFit fit = SampleFit::Compute(c.w, c.h, c.pageW, c.pageH);
    EXPECT_EQ(fit.scale, c.scale);
    EXPECT_EQ(fit.x, c.x);
    EXPECT_EQ(fit.y, c.y);
    EXPECT_EQ(fit.width, c.width);
    EXPECT_EQ(fit.height, c.height);
    EXPECT_EQ(SampleScaleText(fit.scale), QString::fromUtf8(c.caption));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SampleFitTest,
    ::testing::Values(
        // The default label on a page with room: actual size, centred below the controls.
        FitCase{99, 34, 500, 360, 100, 63, 138, 374, 128, "Showing at actual size"},
        // Fractions of a millimetre are dropped before converting.
        FitCase{99.9f, 34.9f, 500, 360, 100, 63, 138, 374, 128, "Showing at actual size"},
        // Too wide: 190 mm is 718 px; 410 * 100 / 718 = 57.
        FitCase{190, 34, 410, 360, 57, 0, 166, 409, 72, "Showing at 57%"},
        // Too tall: the height decides, and the sample sits at the top of the area.
        FitCase{99, 100, 500, 300, 49, 158, 80, 183, 184, "Showing at 49%"},
        // No width: nothing to divide by.
        FitCase{0, 34, 500, 360, 100, 250, 138, 0, 128, "Showing at actual size"},
        FitCase{0, 0, 0, 0, 100, 0, 80, 0, 0, "Showing at actual size"},
        // A page smaller than its reserves shows the sample at no size.
        FitCase{99, 34, 500, 100, 0, 250, 80, 0, 0, "Showing at 0%"}));

TEST(FieldCheck, ReadsNumbersAsTheFieldsAcceptThem) {
    EXPECT_EQ(FieldCheck::readFloat(QStringLiteral(" 12.35 ")), 12.35f);
    EXPECT_EQ(FieldCheck::readFloat(QStringLiteral("-1e1")), -10.0f);
    for (const char* bad : {"", " ", "12a", "1,5", "inf", "nan", "1e60", "abc"})
        EXPECT_FALSE(FieldCheck::readFloat(QString::fromLatin1(bad))) << bad;

    EXPECT_EQ(FieldCheck::readUnsigned(QStringLiteral("20")), 20u);
    EXPECT_EQ(FieldCheck::readUnsigned(QStringLiteral("99999999999")), 4294967295u);
    for (const char* bad : {"", "-1", "1.5", "x"})
        EXPECT_FALSE(FieldCheck::readUnsigned(QString::fromLatin1(bad))) << bad;

    EXPECT_EQ(FieldCheck::leadingNumber(QStringLiteral("36pt")), 36u);
    EXPECT_EQ(FieldCheck::leadingNumber(QStringLiteral("pt")), 0u);
}

TEST(FieldCheck, MessagesCarryTheLimits) {
    EXPECT_EQ(FieldCheck::numberRange(0, 100), QStringLiteral("Enter a number between 0 and 100."));
    EXPECT_EQ(FieldCheck::numberRange(0, 500), QStringLiteral("Enter a number between 0 and 500."));
    EXPECT_EQ(FieldCheck::integerRange(8, 50),
              QStringLiteral("Enter an integer between 8 and 50."));
    EXPECT_EQ(FieldCheck::formatFloat(12.4f), QStringLiteral("12.4"));
    EXPECT_EQ(FieldCheck::formatFloat(13.0f), QStringLiteral("13"));
}

TEST(DimensionValues, GeometryRoundTripsThroughMillimetres) {
    SheetGeometry g{1, 65535, 123, 999, 5, 7, 20, 50};
    EXPECT_EQ(DimensionValues::fromGeometry(g).toGeometry(), g);
    DimensionValues v = DimensionValues::fromGeometry(SheetGeometry{});
    v.labelWidth = 12.35f;
    EXPECT_EQ(v.toGeometry().labelWidth, 124);
    v.labelWidth = 1.0e30f; // refused by the page, but must not break the conversion
    (void)v.toGeometry();
}
