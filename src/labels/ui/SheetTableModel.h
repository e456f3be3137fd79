#pragma once

#include "labels/LabelSheet.h"

#include <QAbstractTableModel>
#include <vector>

// The rows of the sheet picker: the sheets a search found, in order. Setting new rows costs
// nothing per sheet, so the list follows every keystroke however many sheets there are.
class SheetTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Code, Maker, Layout, Size, PerSheet, Paper, From, Description, kColumns };

    using QAbstractTableModel::QAbstractTableModel;

    void setSheets(std::vector<const LabelSheet*> sheets);
    const std::vector<const LabelSheet*>& sheets() const { return sheets_; }
    const LabelSheet* sheetAt(int row) const;
    int rowOf(const LabelSheet* sheet) const; // -1 when not shown

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // "63.5 × 38.1 mm".
    static QString sizeText(const LabelSheet& sheet);
    // Where the sheet comes from; a code two databases disagree on is marked.
    static QString fromText(const LabelSheet& sheet);

private:
    std::vector<const LabelSheet*> sheets_;
};
