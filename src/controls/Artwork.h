#pragma once

#include <QIcon>
#include <QPixmap>

// The program's pictures, drawn in code so that no image files need to ship. Every picture
// keeps the size and background that the windows showing it expect.
namespace Artwork {

// Bitmap resource numbers, as the windows ask for them.
enum Resource : int {
    kBanner = 225,
    kHeadingContacts = 215,
    kHeadingLabels = 216,
    kHeadingPrint = 142,
    kHeadingStrip = 238,
    kSelectAll = 222,
    kAddToLabelList = 223,
    kSettings = 185,
    kWebsite = 221,
    kHelp = 190,
    kAdd = 178,
    kRepeat = 176,
    kDelete = 179,
    kDeleteAll = 186,
    kPrintLabels = 224,
};

// 465 x 193, dark enough for white text in the area from x = 30, y = 70 to y = 160.
QPixmap banner();

// Heading pictures, 35 pixels high, dark grey words on the strip's light grey.
QPixmap headingContacts(); // 119 wide
QPixmap headingLabels();   // 98 wide
QPixmap headingPrint();    // 77 wide
QPixmap headingStrip();    // 554 wide, a plain strip with a darker bottom line

// The 16 x 16 picture of a main window button, by the button's control id (1029 "Select All",
// 1025, 1053, 1154, 1054, 1004, 1095, 1030, 1031, 1026); a null pixmap for any other id.
QPixmap buttonPicture(int controlId);

// The bitmap for a resource number of the enum above; a null pixmap for any other number.
QPixmap bitmap(int resourceId);

// The program's icon at 16, 32, 48 and 256 pixels.
QIcon appIcon();
// One size of the icon, square.
QPixmap appIconPixmap(int size);

// Colours shared by the pictures and the windows that sit around them.
inline constexpr QRgb kStripGrey = qRgb(214, 214, 214);
inline constexpr QRgb kFaceGrey = qRgb(230, 230, 230);

} // namespace Artwork
