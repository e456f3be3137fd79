#include "labels/FitReport.h"

#include "labels/LabelFormat.h"
#include "labels/LabelLines.h"

#include <QStringList>

namespace {

constexpr int kSmallestSize = 8; // points; fitting shrinks no further before it splits

} // namespace

LabelFit LabelFit::of(int label, const LabelLines& lines, const CLabelFormat& format) {
    LabelFit fit;
    fit.label = label;
    fit.startSize = format.StartSize();
    fit.finalSize = format.FinalSize();
    fit.atFloor = format.FinalSize() <= kSmallestSize;
    fit.split = format.WasSplit();
    fit.overflows = !format.Fitted();
    fit.droppedLines = lines.dropped;
    fit.cutLines = lines.cut;
    return fit;
}

QString LabelFit::description() const {
    // The loss of text first: it cannot be seen on the printed label at all.
    if (droppedLines == 1)
        return QStringLiteral("More than 8 lines — the last line will not print");
    if (droppedLines > 1)
        return QStringLiteral("More than 8 lines — %1 lines will not print").arg(droppedLines);
    if (cutLines > 0)
        return QStringLiteral("Line too long — will be cut");
    if (overflows)
        return QStringLiteral("Text too long — will not fit");
    if (split)
        return QStringLiteral("Text too long — will be split");
    if (atFloor)
        return QStringLiteral("Text shrunk to %1 pt").arg(finalSize);
    return QString();
}

void FitReport::add(const LabelFit& fit) {
    if (fit.notable())
        fits[fit.label] = fit;
    else
        fits.erase(fit.label);
}

std::vector<int> FitReport::misfits() const {
    std::vector<int> labels;
    for (const auto& [label, f] : fits)
        if (f.misfit())
            labels.push_back(label);
    return labels;
}

const LabelFit* FitReport::find(int label) const {
    const auto it = fits.find(label);
    return it == fits.end() ? nullptr : &it->second;
}

QString FitReport::summary(const std::vector<int>& labels) {
    const int n = static_cast<int>(labels.size());
    QStringList numbers;
    for (int i = 0; i < n && i < kListedNumbers; ++i)
        numbers << QString::number(labels[static_cast<std::size_t>(i)]);
    QString list = numbers.join(QStringLiteral(", "));
    if (n > kListedNumbers)
        list += QStringLiteral(" and %1 more").arg(n - kListedNumbers);
    if (n == 1)
        return QStringLiteral("1 label does not fit its label: %1.").arg(list);
    return QStringLiteral("%1 labels do not fit their label: %2.").arg(n).arg(list);
}

QString FitReport::question(const std::vector<int>& labels) {
    return summary(labels) + QStringLiteral(" Print anyway?");
}
