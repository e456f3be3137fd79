#include "labels/ui/SheetTableModel.h"

#include <algorithm>

void SheetTableModel::setSheets(std::vector<const LabelSheet*> sheets) {
    beginResetModel();
    sheets_ = std::move(sheets);
    endResetModel();
}

const LabelSheet* SheetTableModel::sheetAt(int row) const {
    return row >= 0 && row < static_cast<int>(sheets_.size()) ? sheets_[row] : nullptr;
}

int SheetTableModel::rowOf(const LabelSheet* sheet) const {
    const auto it = std::find(sheets_.begin(), sheets_.end(), sheet);
    return it == sheets_.end() ? -1 : static_cast<int>(it - sheets_.begin());
}

int SheetTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(sheets_.size());
}

int SheetTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumns;
}

QString SheetTableModel::sizeText(const LabelSheet& s) {
    return QStringLiteral("%1 \u00d7 %2 mm")
        .arg(LabelSheet::figure(s.width), LabelSheet::figure(s.height));
}

QString SheetTableModel::fromText(const LabelSheet& s) {
    QString from = LabelSheet::originName(s.origin);
    if (s.disputed)
        from += QStringLiteral(" (figures disputed)");
    return from;
}

QVariant SheetTableModel::data(const QModelIndex& index, int role) const {
    const LabelSheet* s = index.isValid() ? sheetAt(index.row()) : nullptr;
    if (s == nullptr)
        return {};
    if (role == Qt::TextAlignmentRole && index.column() == PerSheet)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
        return {};
    switch (index.column()) {
    case Code:
        return s->codes.join(QStringLiteral(" / "));
    case Maker:
        return s->maker;
    case Layout:
        return QStringLiteral("%1 \u00d7 %2").arg(s->across).arg(s->down);
    case Size:
        return sizeText(*s);
    case PerSheet:
        return s->perSheet();
    case Paper:
        return LabelSheet::paperName(s->paper);
    case From:
        return fromText(*s);
    case Description:
        return s->description;
    }
    return {};
}

QVariant SheetTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    static const char* const titles[] = {"Code",      "Maker", "Layout", "Label size",
                                         "Per sheet", "Paper", "From",   "Description"};
    return section >= 0 && section < kColumns ? QString::fromLatin1(titles[section]) : QVariant();
}
