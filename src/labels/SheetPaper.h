#pragma once

#include "labels/SheetGeometry.h"

#include <QPageLayout>
#include <QPageSize>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <optional>

// The paper a label job asks the printer for, and whether the labels lie on what the printer
// then prints. Both the labels and the calibration sheet go through here, so that the
// calibration sheet comes out on the paper the labels will.
class SheetPaper {
public:
    struct Choice {
        QPageSize size;
        QPageLayout::Orientation orientation = QPageLayout::Portrait;
    };

    // A sheet of the sheet library (the same eight figures): its own paper. Any other sheet:
    // the printer's paper when the labels fit on it, otherwise the smallest of US Letter, A4
    // and US Legal that holds them, upright or else turned.
    static Choice choose(const SheetGeometry& geometry, const QPageSize& printerPaper);

    // How far the labels reach from the paper's top-left corner, in millimetres: the right
    // edge of the last column and the bottom edge of the last row.
    static QSizeF reach(const SheetGeometry& geometry);

    // The paper as the printer prints it: its size and the printable area on it, millimetres
    // from the paper's corner.
    struct Printed {
        QSizeF paper;
        QRectF printable;
    };
    // Why the labels do not lie within what the printer prints, in a sentence that names the
    // printer (empty for a file); nullopt when they do.
    static std::optional<QString> overhang(const SheetGeometry& geometry, const Printed& printed,
                                           const QString& printerName);
};
