#include "contacts/ImportTableModel.h"

#include "platform/Text.h"

#include <algorithm>
#include <numeric>

ImportTableModel::ImportTableModel(QObject* parent) : QAbstractTableModel(parent) {}

void ImportTableModel::SetTable(DelimitedTable parsed) {
    beginResetModel();
    table = std::move(parsed);
    rows.resize(static_cast<std::size_t>(table.rowCount()));
    std::iota(rows.begin(), rows.end(), 0);
    columns.resize(static_cast<std::size_t>(table.columnCount()));
    std::iota(columns.begin(), columns.end(), 0);
    endResetModel();
}

int ImportTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows.size());
}

int ImportTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 1 + DataColumnCount();
}

std::string_view ImportTableModel::Cell(int row, int column) const {
    if (row < 0 || row >= rowCount() || column < 1 || column > DataColumnCount())
        return {};
    return table.cell(rows[static_cast<std::size_t>(row)],
                      columns[static_cast<std::size_t>(column - 1)]);
}

QVariant ImportTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount())
        return {};
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
    if (role != Qt::DisplayRole)
        return {};
    // Rows are numbered as shown, so the numbers close up when rows are deleted.
    if (index.column() == 0)
        return QString::number(index.row() + 1);
    const std::string_view cell = Cell(index.row(), index.column());
    if (cell.size() <= kMaxShownBytes)
        return Text::toQString(cell);
    return Text::toQString(Text::cutUtf8(cell, kMaxShownBytes)) + QChar(0x2026);
}

QVariant ImportTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount())
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
    if (role != Qt::DisplayRole)
        return {};
    if (section == 0)
        return QString();
    // A column keeps the name of its field when columns before it are deleted.
    return QStringLiteral("Field %1").arg(columns[static_cast<std::size_t>(section - 1)] + 1);
}

bool ImportTableModel::removeColumns(int column, int count, const QModelIndex& parent) {
    if (parent.isValid() || column < 1 || count < 1 || column + count > columnCount())
        return false;
    beginRemoveColumns({}, column, column + count - 1);
    columns.erase(columns.begin() + (column - 1), columns.begin() + (column - 1 + count));
    endRemoveColumns();
    return true;
}

bool ImportTableModel::removeRows(int row, int count, const QModelIndex& parent) {
    if (parent.isValid() || row < 0 || count < 1 || row + count > rowCount())
        return false;
    beginRemoveRows({}, row, row + count - 1);
    rows.erase(rows.begin() + row, rows.begin() + row + count);
    endRemoveRows();
    // Every row below has a new number.
    if (row < rowCount())
        Q_EMIT dataChanged(index(row, 0), index(rowCount() - 1, 0), {Qt::DisplayRole});
    return true;
}

void ImportTableModel::RemoveRowSet(std::vector<int> set) {
    std::sort(set.begin(), set.end());
    set.erase(std::unique(set.begin(), set.end()), set.end());
    std::erase_if(set, [this](int r) { return r < 0 || r >= rowCount(); });
    while (!set.empty()) {
        const int last = set.back();
        int first = last;
        set.pop_back();
        while (!set.empty() && set.back() == first - 1) {
            first = set.back();
            set.pop_back();
        }
        removeRows(first, last - first + 1);
    }
}

int ImportTableModel::LongestRow(int column) const {
    int best = -1;
    std::size_t bestLength = 0;
    for (int r = 0; r < rowCount(); ++r) {
        const std::size_t length = Cell(r, column).size();
        if (best < 0 || length > bestLength) {
            best = r;
            bestLength = length;
        }
    }
    return best;
}

std::vector<std::string> ImportTableModel::Contacts(const std::vector<int>& columnOrder) const {
    const std::size_t lines =
        std::min(columnOrder.size(), static_cast<std::size_t>(kMaxContactLines));
    std::vector<std::string> contacts;
    contacts.reserve(rows.size());
    for (int r = 0; r < rowCount(); ++r) {
        // Sized exactly: a million contacts grown piece by piece would carry spare room.
        std::size_t size = 0;
        for (std::size_t k = 0; k < lines; ++k) {
            const std::size_t length = Cell(r, columnOrder[k]).size();
            size += length == 0 ? 0 : length + 2;
        }
        std::string contact;
        contact.reserve(size);
        for (std::size_t k = 0; k < lines; ++k) {
            const std::string_view cell = Cell(r, columnOrder[k]);
            if (!cell.empty()) {
                contact.append(cell);
                contact += "\r\n";
            }
        }
        if (!contact.empty())
            contacts.push_back(std::move(contact));
    }
    return contacts;
}
