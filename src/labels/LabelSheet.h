#pragma once

#include "labels/SheetGeometry.h"

#include <QSizeF>
#include <QString>
#include <QStringList>
#include <optional>

// One commercial label sheet of the sheet library: a product (maker, the codes it is sold
// under) on a published layout. Lengths are millimetres as published; sheets specified in
// inches are converted exactly (25.4 mm to the inch).
struct LabelSheet {
    enum class Paper { A4, Letter };
    enum class Unit { Millimetre, Inch };
    // Where the sheet comes from: the program's own library or a label database installed.
    enum class Origin { BuiltIn, GLabels, UserGLabels, LibreOffice };

    QString maker;
    QStringList codes; // the first is the one shown
    QString description;
    QString family; // the layout's name, in its own unit ("3 x 10, 2 5/8 x 1 in")
    QString source; // where the layout's figures come from
    Paper paper = Paper::A4;
    Unit unit = Unit::Millimetre;
    double width = 0, height = 0;  // label size
    double hpitch = 0, vpitch = 0; // from one label's left (top) edge to the next one's
    double left = 0, top = 0;      // the first label's edges from the paper's corner
    int across = 0, down = 0;
    std::optional<double> radius; // corner radius, where the maker states it
    Origin origin = Origin::BuiltIn;
    // Where a database's figures for the same code are wrong, and why (built-in sheets).
    QString note;
    // Two databases give this code different layouts; both are shown.
    bool disputed = false;

    QString code() const { return codes.isEmpty() ? QString() : codes.first(); }
    int perSheet() const { return across * down; }
    static QSizeF paperSize(Paper paper); // millimetres
    static QString paperName(Paper paper);
    // "built in", "gLabels", "your gLabels templates", "LibreOffice".
    static QString originName(Origin origin);
    // A length in millimetres as shown: to the hundredth where the figure needs it.
    static QString figure(double mm);

    // The program's own geometry in tenths of a millimetre. Sizes are rounded to the nearest
    // tenth; each margin and gutter is the pair of neighbouring tenths that keeps every
    // label nearest to where it is published, so rounding does not add up along a row.
    SheetGeometry toGeometry() const;

    // What is physically wrong with the sheet, or what the program cannot hold; empty for
    // a sound sheet: every label on the paper, none overlapping, margins not negative; the
    // geometry's margins, sizes and pitches each within kFigureTolerance of the published
    // figures, and every label edge within kPlaceTolerance of its published place (a pitch
    // such as 1 1/3 in falls between tenths, so a long column drifts a little).
    QStringList problems() const;
    static constexpr double kFigureTolerance = 0.1; // mm
    static constexpr double kPlaceTolerance = 0.2;  // mm

    // "L7160 — 63.5 × 38.1 mm, 3 × 7": the label name the Dimensions page shows.
    QString labelName() const;
    // "Avery L7160 / J8160".
    QString title() const;
    // Everything a search may match, lower case: maker, codes, description, sizes, layout,
    // "21 per sheet", paper.
    QString searchText() const;
};
