#include "labels/SheetPaper.h"

#include "labels/SheetLibrary.h"

#include <QStringList>
#include <array>

namespace {

// The sheet's figures are rounded to tenths of a millimetre and printers give their papers in
// whole points (A4 is 595 pt, 209.9 mm): a sheet exactly as wide as A4 still fits.
constexpr double kSlackMm = 0.2;

bool holds(QSizeF paper, QSizeF reach) {
    return reach.width() <= paper.width() + kSlackMm && reach.height() <= paper.height() + kSlackMm;
}

QPageSize libraryPaper(LabelSheet::Paper paper) {
    return QPageSize(paper == LabelSheet::Paper::A4 ? QPageSize::A4 : QPageSize::Letter);
}

QString mm(double value) {
    return QString::number(value, 'f', 1);
}

} // namespace

QSizeF SheetPaper::reach(const SheetGeometry& g) {
    if (g.labelsAcross == 0 || g.labelsDown == 0)
        return {};
    const double right = g.sideMargin +
                         double(g.labelWidth + g.verticalGutter) * (g.labelsAcross - 1) +
                         g.labelWidth;
    const double bottom = g.topMargin +
                          double(g.labelHeight + g.horizontalGutter) * (g.labelsDown - 1) +
                          g.labelHeight;
    return {right / 10.0, bottom / 10.0};
}

SheetPaper::Choice SheetPaper::choose(const SheetGeometry& geometry,
                                      const QPageSize& printerPaper) {
    const QPageSize fallback = printerPaper.isValid() ? printerPaper : QPageSize(QPageSize::A4);
    const SheetLibrary::LoadResult& library = SheetLibrary::builtIn();
    std::optional<QPageSize> known;
    for (const LabelSheet& sheet : library.sheets) {
        if (sheet.toGeometry() != geometry)
            continue;
        const QPageSize paper = libraryPaper(sheet.paper);
        // Two products of the same layout on different papers: the printer's own wins.
        if (!known || paper.isEquivalentTo(fallback))
            known = paper;
    }
    if (known)
        return {*known, QPageLayout::Portrait};

    const QSizeF labels = reach(geometry);
    const auto fits = [&labels](const QPageSize& paper, QPageLayout::Orientation o) {
        const QSizeF size = paper.size(QPageSize::Millimeter);
        return holds(o == QPageLayout::Portrait ? size : size.transposed(), labels);
    };
    if (fits(fallback, QPageLayout::Portrait))
        return {fallback, QPageLayout::Portrait};
    const std::array<QPageSize, 3> papers = {QPageSize(QPageSize::Letter), QPageSize(QPageSize::A4),
                                             QPageSize(QPageSize::Legal)};
    for (const QPageSize& paper : papers)
        if (fits(paper, QPageLayout::Portrait))
            return {paper, QPageLayout::Portrait};
    if (fits(fallback, QPageLayout::Landscape))
        return {fallback, QPageLayout::Landscape};
    for (const QPageSize& paper : papers)
        if (fits(paper, QPageLayout::Landscape))
            return {paper, QPageLayout::Landscape};
    // Nothing common holds them: the printer's paper, and the question before printing.
    return {fallback, QPageLayout::Portrait};
}

std::optional<QString> SheetPaper::overhang(const SheetGeometry& geometry, const Printed& printed,
                                            const QString& printerName) {
    const QSizeF labels = reach(geometry);
    if (labels.isEmpty() || printed.paper.isEmpty())
        return std::nullopt;
    const QString paper = printerName.isEmpty()
                              ? QStringLiteral("the paper")
                              : QStringLiteral("the paper in %1").arg(printerName);
    const QString printer = printerName.isEmpty() ? QStringLiteral("the printer") : printerName;
    QStringList found;
    if (labels.height() > printed.paper.height() + kSlackMm)
        found << QStringLiteral("The labels of this sheet reach %1 mm down; %2 is %3 mm long.")
                     .arg(mm(labels.height()), paper, mm(printed.paper.height()));
    else if (!printed.printable.isEmpty() &&
             labels.height() > printed.printable.bottom() + kSlackMm)
        found << QStringLiteral("The labels of this sheet reach %1 mm down; %2 prints only to "
                                "%3 mm down.")
                     .arg(mm(labels.height()), printer, mm(printed.printable.bottom()));
    if (labels.width() > printed.paper.width() + kSlackMm)
        found << QStringLiteral("The labels of this sheet reach %1 mm across; %2 is %3 mm wide.")
                     .arg(mm(labels.width()), paper, mm(printed.paper.width()));
    else if (!printed.printable.isEmpty() && labels.width() > printed.printable.right() + kSlackMm)
        found << QStringLiteral("The labels of this sheet reach %1 mm across; %2 prints only to "
                                "%3 mm across.")
                     .arg(mm(labels.width()), printer, mm(printed.printable.right()));
    if (!printed.printable.isEmpty()) {
        if (geometry.topMargin / 10.0 + kSlackMm < printed.printable.top())
            found << QStringLiteral("The labels of this sheet start %1 mm from the top; %2 "
                                    "prints only from %3 mm.")
                         .arg(mm(geometry.topMargin / 10.0), printer, mm(printed.printable.top()));
        if (geometry.sideMargin / 10.0 + kSlackMm < printed.printable.left())
            found << QStringLiteral("The labels of this sheet start %1 mm from the left; %2 "
                                    "prints only from %3 mm.")
                         .arg(mm(geometry.sideMargin / 10.0), printer,
                              mm(printed.printable.left()));
    }
    if (found.isEmpty())
        return std::nullopt;
    return found.join(QLatin1Char(' '));
}
