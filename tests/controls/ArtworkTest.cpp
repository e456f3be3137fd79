#include "controls/Artwork.h"

#include <gtest/gtest.h>

namespace {

struct BitmapCase {
    int resource;
    QSize size;
};

class ArtworkBitmapTest : public ::testing::TestWithParam<BitmapCase> {};

TEST_P(ArtworkBitmapTest, HasTheSizeTheWindowsExpect) {
    const QPixmap pm = Artwork::bitmap(GetParam().resource);
    EXPECT_EQ(pm.size(), GetParam().size);
    EXPECT_FALSE(pm.hasAlphaChannel());
}

INSTANTIATE_TEST_SUITE_P(Resources, ArtworkBitmapTest,
                         ::testing::Values(BitmapCase{225, {465, 193}}, BitmapCase{215, {119, 35}},
                                           BitmapCase{216, {98, 35}}, BitmapCase{142, {77, 35}},
                                           BitmapCase{238, {554, 35}}, BitmapCase{222, {16, 16}},
                                           BitmapCase{223, {16, 16}}, BitmapCase{185, {16, 16}},
                                           BitmapCase{221, {16, 16}}, BitmapCase{190, {16, 16}},
                                           BitmapCase{178, {16, 16}}, BitmapCase{176, {16, 16}},
                                           BitmapCase{179, {16, 16}}, BitmapCase{186, {16, 16}},
                                           BitmapCase{224, {16, 16}}));

TEST(Artwork, UnknownNumbersGiveNoPicture) {
    EXPECT_TRUE(Artwork::bitmap(1).isNull());
    EXPECT_TRUE(Artwork::buttonPicture(1000).isNull());
}

TEST(Artwork, ButtonPicturesSitOnTheFaceAndAvoidTheReservedGreys) {
    for (int id : {1029, 1025, 1053, 1154, 1054, 1004, 1095, 1030, 1031, 1026}) {
        const QImage img =
            Artwork::buttonPicture(id).toImage().convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(img.size(), QSize(16, 16)) << id;
        int face = 0;
        bool distinct = false;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                const QRgb px = img.pixel(x, y) | 0xFF000000u;
                // Loading maps these greys to system colours; the pictures must not use them.
                EXPECT_NE(px, qRgb(128, 128, 128)) << id;
                EXPECT_NE(px, qRgb(192, 192, 192)) << id;
                EXPECT_NE(px, qRgb(223, 223, 223)) << id;
                face += px == Artwork::kFaceGrey;
                distinct = distinct || px != Artwork::kFaceGrey;
            }
        EXPECT_GT(face, 0) << id << ": the background is the button face";
        EXPECT_TRUE(distinct) << id;
    }
}

TEST(Artwork, HeadingsMatchTheStrip) {
    const QImage strip = Artwork::headingStrip().toImage();
    for (const QPixmap& pm :
         {Artwork::headingContacts(), Artwork::headingLabels(), Artwork::headingPrint()}) {
        const QImage img = pm.toImage();
        // The picture's right end blends into the strip it lies on, bottom line included.
        for (int y = 0; y < 35; ++y)
            EXPECT_EQ(img.pixel(img.width() - 1, y), strip.pixel(img.width() - 1, y)) << y;
    }
    EXPECT_EQ(strip.pixel(300, 10) | 0xFF000000u, Artwork::kStripGrey);
    EXPECT_LT(qGray(strip.pixel(300, 34)), qGray(Artwork::kStripGrey));
}

TEST(Artwork, IconComesInTheUsualSizes) {
    const QIcon icon = Artwork::appIcon();
    const QList<QSize> sizes = icon.availableSizes();
    for (int s : {16, 32, 48, 256})
        EXPECT_TRUE(sizes.contains(QSize(s, s))) << s;
}

} // namespace
