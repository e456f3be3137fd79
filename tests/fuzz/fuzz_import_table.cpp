// The import dialog's table: a delimited file split into rows and cells, the fields the
// detection counted for it, and the contacts the chosen columns make.
#include "FuzzSupport.h"

#include "contacts/CCSVFile.h"
#include "contacts/ContactText.h"
#include "contacts/DelimitedTable.h"
#include "contacts/ImportTableModel.h"
#include "platform/Text.h"

#include <numeric>

namespace {

// A cell as a spreadsheet writes it: quoted, its quotes doubled.
std::string quoted(std::string_view cell) {
    std::string out = "\"";
    for (const char c : cell) {
        if (c == '"')
            out += '"';
        out += c;
    }
    return out + '"';
}

void checkCells(const DelimitedTable& table, int columns) {
    FUZZ_CHECK(table.columnCount() == columns);
    for (int r = 0; r < table.rowCount(); ++r) {
        for (int c = 0; c < columns; ++c) {
            const std::string_view cell = table.cell(r, c);
            FUZZ_CHECK(Text::isValidUtf8(cell));
            FUZZ_CHECK(ContactText::trim(cell).size() == cell.size());
            // Line breaks inside quotes are joined; a cell is one line of a contact.
            FUZZ_CHECK(cell.find_first_of("\r\n") == std::string_view::npos);
        }
    }
}

// Every row's contact is its non-empty cells in the order asked for, each ending in CR LF.
void checkContacts(const ImportTableModel& model, const std::vector<int>& order) {
    const std::vector<std::string> contacts = model.Contacts(order);
    FUZZ_CHECK(contacts.size() <= static_cast<std::size_t>(model.rowCount()));
    std::size_t next = 0;
    for (int r = 0; r < model.rowCount(); ++r) {
        std::string expected;
        for (std::size_t k = 0; k < order.size() && k < ImportTableModel::kMaxContactLines; ++k) {
            const std::string_view cell = model.Cell(r, order[k]);
            if (!cell.empty())
                expected.append(cell).append("\r\n");
        }
        if (expected.empty())
            continue;
        FUZZ_CHECK(next < contacts.size() && contacts[next] == expected);
        ++next;
    }
    FUZZ_CHECK(next == contacts.size());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Fuzz::SilentPrompt& prompt = Fuzz::silence();
    prompt.messages = 0;
    if (size == 0)
        return 0;
    const auto& delimiters = CCSVFile::kDelimiters;
    const char delimiter = delimiters[data[0] % delimiters.size()].character;
    const int columns = 1 + data[0] / delimiters.size() % 12;
    const QByteArray input = Fuzz::bytes(data + 1, size - 1);

    const DelimitedTable table = DelimitedTable::ParseBytes(input, delimiter, columns);
    checkCells(table, columns);

    // Written back as a spreadsheet would, the table reads as the same rows and cells.
    std::string written;
    for (int r = 0; r < table.rowCount(); ++r) {
        for (int c = 0; c < columns; ++c) {
            if (c > 0)
                written += delimiter;
            written += quoted(table.cell(r, c));
        }
        written += "\r\n";
    }
    const DelimitedTable reread = DelimitedTable::Parse(written, delimiter, columns);
    FUZZ_CHECK(reread.rowCount() == table.rowCount());
    for (int r = 0; r < table.rowCount(); ++r)
        for (int c = 0; c < columns; ++c)
            FUZZ_CHECK(reread.cell(r, c) == table.cell(r, c));

    // The dialog shows as many columns as the detection counted: no row may have a field
    // beyond them, or importing would drop it unseen (unless the row has more fields than
    // the dialog can show at all).
    CCSVFile file(input, QStringLiteral("fuzz.csv"), false);
    if (file.DetectFormat() == CCSVFile::Foreign && prompt.messages == 0 &&
        DelimitedTable::Parse(file.text(), delimiter, 1).widestRow() <= CCSVFile::kMaxFields) {
        const int fields = file.fieldCount(delimiter);
        FUZZ_CHECK(fields >= 1 && fields <= CCSVFile::kMaxFields);
        const DelimitedTable wide =
            DelimitedTable::Parse(file.text(), delimiter, CCSVFile::kMaxFields);
        for (int r = 0; r < wide.rowCount(); ++r)
            for (int c = fields; c < wide.widestRow(); ++c)
                FUZZ_CHECK(wide.cell(r, c).empty());
    }

    ImportTableModel model;
    model.SetTable(table);
    FUZZ_CHECK(model.rowCount() == table.rowCount());
    FUZZ_CHECK(model.DataColumnCount() == columns);
    std::vector<int> order(static_cast<std::size_t>(columns));
    std::iota(order.rbegin(), order.rend(), 1);
    checkContacts(model, order);
    for (int c = 1; c <= columns; ++c) {
        const int longest = model.LongestRow(c);
        FUZZ_CHECK((longest < 0) == (model.rowCount() == 0));
        for (int r = 0; r < model.rowCount(); ++r)
            FUZZ_CHECK(model.Cell(r, c).size() <= model.Cell(longest, c).size());
        // What the table shows is the cell, or its start with an ellipsis.
        if (longest >= 0) {
            const QString cell = Text::toQString(model.Cell(longest, c));
            const QString shown = model.data(model.index(longest, c)).toString();
            if (shown.endsWith(QChar(0x2026)))
                FUZZ_CHECK(cell.startsWith(shown.chopped(1)));
            else
                FUZZ_CHECK(shown == cell);
        }
    }

    // Rows and columns taken away leave the others as they were.
    std::vector<int> everyOther;
    for (int r = 0; r < model.rowCount(); r += 2)
        everyOther.push_back(r);
    model.RemoveRowSet(everyOther);
    FUZZ_CHECK(model.rowCount() == table.rowCount() / 2);
    for (int r = 0; r < model.rowCount(); ++r)
        FUZZ_CHECK(model.Cell(r, 1) == table.cell(2 * r + 1, 0));
    if (columns > 1) {
        FUZZ_CHECK(model.removeColumns(1, 1));
        order.pop_back();
        for (int& c : order)
            --c;
        checkContacts(model, order);
        for (int r = 0; r < model.rowCount(); ++r)
            FUZZ_CHECK(model.Cell(r, 1) == table.cell(2 * r + 1, 1));
    }
    return 0;
}
