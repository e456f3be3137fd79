#pragma once

#include "contacts/DelimitedTable.h"

#include <QAbstractTableModel>
#include <string>
#include <vector>

// The import dialog's table over a parsed delimited file: column 0 numbers the rows, the
// data columns follow with the headings "Field 1", "Field 2", ... of the fields they show.
// Rows and data columns can be removed; the parsed cells stay as they are underneath.
class ImportTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // Only the first eight columns become contact lines.
    static constexpr int kMaxContactLines = 8;
    // A cell longer than this shows cut, with an ellipsis; importing takes it whole.
    static constexpr std::size_t kMaxShownBytes = 1000;

    explicit ImportTableModel(QObject* parent = nullptr);

    // Shows a freshly parsed table: every row and every column, in field order.
    void SetTable(DelimitedTable table);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    // Column 0 is never removed.
    bool removeColumns(int column, int count, const QModelIndex& parent = {}) override;
    bool removeRows(int row, int count, const QModelIndex& parent = {}) override;
    // Removes the given rows, each contiguous run at once, from the bottom up.
    void RemoveRowSet(std::vector<int> rows);

    int DataColumnCount() const { return static_cast<int>(columns.size()); }
    // The whole cell at a shown row and data column (column >= 1).
    std::string_view Cell(int row, int column) const;
    // The row of the longest cell of a data column, -1 when there are no rows.
    int LongestRow(int column) const;

    // One contact per row: the cells of the given data columns (in that order, at most the
    // first eight of them), each non-empty one followed by CR LF. Rows that give no text give
    // no contact.
    std::vector<std::string> Contacts(const std::vector<int>& columnOrder) const;

private:
    DelimitedTable table;
    std::vector<int> rows;    // shown row -> parsed row
    std::vector<int> columns; // data column - 1 -> parsed field
};
