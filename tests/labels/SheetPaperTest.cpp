#include "labels/SheetPaper.h"
#include "labels/SheetLibrary.h"

#include <gtest/gtest.h>

namespace {

SheetGeometry library(const char* code) {
    const LabelSheet* sheet =
        SheetLibrary::byCode(SheetLibrary::builtIn().sheets, QString::fromLatin1(code));
    return sheet ? sheet->toGeometry() : SheetGeometry{};
}

SheetGeometry typed(int across, int down, int width, int height) {
    SheetGeometry g;
    g.topMargin = 100;
    g.sideMargin = 50;
    g.verticalGutter = 0;
    g.horizontalGutter = 0;
    g.labelsAcross = static_cast<std::uint16_t>(across);
    g.labelsDown = static_cast<std::uint16_t>(down);
    g.labelWidth = static_cast<std::uint16_t>(width);
    g.labelHeight = static_cast<std::uint16_t>(height);
    return g;
}

} // namespace

TEST(SheetPaper, LibrarySheetsGetTheirPaperTypedOnesThePrintersIfTheyFit) {
    const QPageSize a4(QPageSize::A4), letter(QPageSize::Letter), legal(QPageSize::Legal);
    struct Case {
        const char* what;
        SheetGeometry sheet;
        QPageSize printer;
        QPageSize paper;
        QPageLayout::Orientation orientation;
    };
    const Case cases[] = {
        {"L7160 on a Letter printer", library("L7160"), letter, a4, QPageLayout::Portrait},
        {"5160 on an A4 printer", library("5160"), a4, letter, QPageLayout::Portrait},
        {"L7160 on an A4 printer", library("L7160"), a4, a4, QPageLayout::Portrait},
        {"typed, fits the Letter printer", typed(2, 7, 1000, 380), letter, letter,
         QPageLayout::Portrait},
        // 10 + 8 x 34 = 282 mm down: not on Letter; A4 is the smallest that holds it.
        {"typed, too long for Letter", typed(2, 8, 1000, 340), letter, a4, QPageLayout::Portrait},
        {"typed, too long for A4", typed(2, 10, 1000, 330), a4, legal, QPageLayout::Portrait},
        {"typed, wider than tall", typed(4, 2, 700, 900), letter, a4, QPageLayout::Landscape},
    };
    for (const Case& c : cases) {
        const SheetPaper::Choice choice = SheetPaper::choose(c.sheet, c.printer);
        EXPECT_TRUE(choice.size.isEquivalentTo(c.paper))
            << c.what << ": " << choice.size.name().toStdString();
        EXPECT_EQ(choice.orientation, c.orientation) << c.what;
    }
}

TEST(SheetPaper, SaysWhereTheLabelsLeaveThePrintedPaper) {
    const SheetGeometry l7160 = library("L7160");
    const SheetPaper::Printed letter{{215.9, 279.4}, {}};
    EXPECT_EQ(SheetPaper::overhang(l7160, letter, QStringLiteral("PDF_Letter"))
                  .value_or(QString())
                  .toStdString(),
              QStringLiteral("The labels of this sheet reach 281.9 mm down; the paper in "
                             "PDF_Letter is 279.4 mm long.")
                  .toStdString());
    const SheetPaper::Printed a4{{210.0, 297.0}, {}};
    EXPECT_EQ(SheetPaper::overhang(l7160, a4, QStringLiteral("PDF_A4")), std::nullopt);

    // A printer that prints from 8 mm left and 16 mm down to 270 mm down: L7160's labels
    // begin before that and end after it.
    const SheetPaper::Printed margins{{210.0, 297.0}, {8.0, 16.0, 196.0, 254.0}};
    EXPECT_EQ(SheetPaper::overhang(l7160, margins, QStringLiteral("Office"))
                  .value_or(QString())
                  .toStdString(),
              QStringLiteral("The labels of this sheet reach 281.9 mm down; Office prints only "
                             "to 270.0 mm down. The labels of this sheet start 15.2 mm from the "
                             "top; Office prints only from 16.0 mm. The labels of this sheet "
                             "start 7.2 mm from the left; Office prints only from 8.0 mm.")
                  .toStdString());
    EXPECT_EQ(
        SheetPaper::overhang(library("5160"), a4, QString()).value_or(QString()).toStdString(),
        QStringLiteral("The labels of this sheet reach 211.1 mm across; the paper is "
                       "210.0 mm wide.")
            .toStdString());
}
