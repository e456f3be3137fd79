#include "labels/LabelSheet.h"

#include "labels/DimensionValues.h"

#include <cmath>
#include <limits>

namespace {

constexpr double kEpsilon = 1e-6; // decimal figures in binary floating point

std::uint16_t nearestTenths(double mm) {
    return static_cast<std::uint16_t>(std::lround(mm * 10.0));
}

struct Spacing {
    std::uint16_t margin;
    std::uint16_t gutter;
};

// The margin and gutter in tenths that keep count labels of a size, spaced pitch apart from
// margin, nearest to their published edges: rounding each figure on its own can add up
// along a row to more than a tenth.
Spacing bestSpacing(double margin, double size, double pitch, int count) {
    const int s = nearestTenths(size);
    double bestError = std::numeric_limits<double>::max();
    Spacing best{nearestTenths(margin), 0};
    const double ideal = pitch * 10.0 - s;
    for (int m = static_cast<int>(std::floor(margin * 10.0)) - 1;
         m <= static_cast<int>(std::ceil(margin * 10.0)) + 1; ++m) {
        // Each figure stays within a tenth of the published one.
        if (m < 0 || std::abs(m - margin * 10.0) > 1.0 + kEpsilon)
            continue;
        for (int g = static_cast<int>(std::floor(ideal)) - 1;
             g <= static_cast<int>(std::ceil(ideal)) + 1; ++g) {
            // A single column or row has no gutter to use.
            if (g < 0 || (count <= 1 && g != 0) ||
                (count > 1 && std::abs(s + g - pitch * 10.0) > 1.0 + kEpsilon))
                continue;
            double worst = 0;
            for (int i = 0; i < count; ++i) {
                const double start = m + i * (s + g);
                const double published = (margin + i * pitch) * 10.0;
                worst = std::max({worst, std::abs(start - published),
                                  std::abs(start + s - published - size * 10.0)});
            }
            // Ties go to the nearest margin, so the first label sits where it is published.
            if (worst < bestError - kEpsilon ||
                (worst < bestError + kEpsilon && m == nearestTenths(margin))) {
                bestError = worst;
                best = {static_cast<std::uint16_t>(m), static_cast<std::uint16_t>(g)};
            }
        }
    }
    return best;
}

} // namespace

QString LabelSheet::figure(double mm) {
    // 63.5, 38.1, 70 as the makers print them; 44.45 for 1 3/4 in, which a tenth would miss.
    QString text = QString::number(std::round(mm * 100.0) / 100.0, 'f', 2);
    while (text.endsWith(QLatin1Char('0')))
        text.chop(1);
    if (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    return text;
}

QString LabelSheet::originName(Origin origin) {
    switch (origin) {
    case Origin::BuiltIn:
        return QStringLiteral("built in");
    case Origin::GLabels:
        return QStringLiteral("gLabels");
    case Origin::UserGLabels:
        return QStringLiteral("your gLabels templates");
    case Origin::LibreOffice:
        return QStringLiteral("LibreOffice");
    }
    return {};
}

QSizeF LabelSheet::paperSize(Paper paper) {
    return paper == Paper::A4 ? QSizeF(210.0, 297.0) : QSizeF(215.9, 279.4);
}

QString LabelSheet::paperName(Paper paper) {
    return paper == Paper::A4 ? QStringLiteral("A4") : QStringLiteral("US Letter");
}

SheetGeometry LabelSheet::toGeometry() const {
    SheetGeometry g;
    const Spacing columns = bestSpacing(left, width, hpitch, across);
    const Spacing rows = bestSpacing(top, height, vpitch, down);
    g.topMargin = rows.margin;
    g.sideMargin = columns.margin;
    g.labelWidth = nearestTenths(width);
    g.labelHeight = nearestTenths(height);
    g.verticalGutter = columns.gutter;
    g.horizontalGutter = rows.gutter;
    g.labelsAcross = static_cast<std::uint16_t>(across);
    g.labelsDown = static_cast<std::uint16_t>(down);
    return g;
}

QStringList LabelSheet::problems() const {
    QStringList found;
    if (across < 1 || down < 1)
        found << QStringLiteral("it has no labels (%1 across, %2 down)").arg(across).arg(down);
    if (!(width > 0) || !(height > 0))
        found << QStringLiteral("a label has no size");
    if (left < 0 || top < 0)
        found << QStringLiteral("a margin is negative");
    if (across > 1 && hpitch + kEpsilon < width)
        found
            << QStringLiteral("labels overlap across (pitch %1 < width %2)").arg(hpitch).arg(width);
    if (down > 1 && vpitch + kEpsilon < height)
        found
            << QStringLiteral("labels overlap down (pitch %1 < height %2)").arg(vpitch).arg(height);
    if (!found.isEmpty())
        return found;

    const QSizeF paper = paperSize(this->paper);
    const double right = left + (across - 1) * hpitch + width;
    const double bottom = top + (down - 1) * vpitch + height;
    if (right > paper.width() + kEpsilon)
        found << QStringLiteral("the last column ends at %1 mm, past the paper's %2 mm")
                     .arg(right)
                     .arg(paper.width());
    if (bottom > paper.height() + kEpsilon)
        found << QStringLiteral("the last row ends at %1 mm, past the paper's %2 mm")
                     .arg(bottom)
                     .arg(paper.height());

    using namespace DimensionLimits;
    const SheetGeometry g = toGeometry();
    if (static_cast<std::uint32_t>(across) > kMaxAcross ||
        static_cast<std::uint32_t>(down) > kMaxDown)
        found << QStringLiteral("more labels across or down than the settings take");
    for (const double length : {top, left, hpitch - width, vpitch - height})
        if (length > kMaxLength)
            found << QStringLiteral("a margin or gap over %1 mm").arg(kMaxLength);
    if (width > kMaxLabelSize || height > kMaxLabelSize)
        found << QStringLiteral("a label over %1 mm").arg(kMaxLabelSize);

    const struct {
        const char* name;
        double published;
        int tenths;
    } figures[] = {
        {"left margin", left, g.sideMargin},
        {"top margin", top, g.topMargin},
        {"width", width, g.labelWidth},
        {"height", height, g.labelHeight},
        {"horizontal pitch", across > 1 ? hpitch : width, g.labelWidth + g.verticalGutter},
        {"vertical pitch", down > 1 ? vpitch : height, g.labelHeight + g.horizontalGutter},
    };
    for (const auto& f : figures)
        if (std::abs(f.tenths / 10.0 - f.published) > kFigureTolerance + kEpsilon)
            found << QStringLiteral("the %1 becomes %2 mm instead of %3 mm")
                         .arg(QLatin1String(f.name))
                         .arg(f.tenths / 10.0)
                         .arg(f.published);

    // Every edge as the program will place it, against the published one.
    for (int c = 0; c < across; ++c) {
        const double at = (g.sideMargin + c * (g.labelWidth + g.verticalGutter)) / 10.0;
        const double published = left + c * hpitch;
        if (std::abs(at - published) > kPlaceTolerance + kEpsilon ||
            std::abs(at + g.labelWidth / 10.0 - (published + width)) > kPlaceTolerance + kEpsilon)
            found << QStringLiteral("column %1 lands %2 mm from its place")
                         .arg(c + 1)
                         .arg(at - published, 0, 'f', 2);
    }
    for (int r = 0; r < down; ++r) {
        const double at = (g.topMargin + r * (g.labelHeight + g.horizontalGutter)) / 10.0;
        const double published = top + r * vpitch;
        if (std::abs(at - published) > kPlaceTolerance + kEpsilon ||
            std::abs(at + g.labelHeight / 10.0 - (published + height)) > kPlaceTolerance + kEpsilon)
            found << QStringLiteral("row %1 lands %2 mm from its place")
                         .arg(r + 1)
                         .arg(at - published, 0, 'f', 2);
    }
    return found;
}

QString LabelSheet::labelName() const {
    return QStringLiteral("%1 \u2014 %2 \u00d7 %3 mm, %4 \u00d7 %5")
        .arg(code(), figure(width), figure(height))
        .arg(across)
        .arg(down);
}

QString LabelSheet::title() const {
    return maker + QLatin1Char(' ') + codes.join(QStringLiteral(" / "));
}

QString LabelSheet::searchText() const {
    QStringList parts{maker, codes.join(QLatin1Char(' ')), description, family};
    parts << QStringLiteral("%1 x %2 mm").arg(figure(width), figure(height));
    parts << QStringLiteral("%1 x %2").arg(across).arg(down);
    parts << QStringLiteral("%1 per sheet").arg(perSheet());
    parts << QStringLiteral("%1 up").arg(perSheet());
    parts << (paper == Paper::A4 ? QStringLiteral("a4") : QStringLiteral("us letter"));
    return parts.join(QStringLiteral(" | ")).toLower();
}
