#include "contacts/DelimitedTable.h"

#include "contacts/ContactText.h"
#include "platform/Text.h"

#include <algorithm>
#include <limits>

namespace {

// Offsets are 32-bit; a larger text is cut there (the file reader refuses such files long
// before).
constexpr std::size_t kMaxText = std::numeric_limits<std::uint32_t>::max() - 1;

} // namespace

DelimitedTable DelimitedTable::Parse(std::string_view input, char delimiter, int columnCount) {
    DelimitedTable t;
    t.columns = std::max(1, columnCount);
    const std::string_view text = input.substr(0, kMaxText);
    t.text.reserve(text.size());
    t.cells.reserve(text.size() / 16);

    std::string cell;
    int field = 0;
    bool quoted = false;
    bool rowOpen = false;

    const auto endCell = [&] {
        if (field < t.columns) {
            const std::string_view trimmed = ContactText::trim(cell);
            t.cells.push_back({static_cast<std::uint32_t>(t.text.size()),
                               static_cast<std::uint32_t>(trimmed.size())});
            t.text.append(trimmed);
        }
        cell.clear();
        ++field;
    };
    const auto endRow = [&] {
        endCell();
        t.widest = std::max(t.widest, field);
        // Empty cells at the end of a row are implied, which keeps rows of delimiters small.
        while (t.cells.size() > t.rowStarts.back() && t.cells.back().length == 0)
            t.cells.pop_back();
        t.rowStarts.push_back(static_cast<std::uint32_t>(t.cells.size()));
        field = 0;
        quoted = false;
        rowOpen = false;
    };
    const auto isSpecial = [delimiter](char c) {
        return c == '"' || c == delimiter || c == '\n' || c == '\r';
    };

    const std::size_t n = text.size();
    std::size_t i = 0;
    while (i < n) {
        const char c = text[i];
        rowOpen = true;
        if (!isSpecial(c)) {
            std::size_t end = i + 1;
            while (end < n && !isSpecial(text[end]))
                ++end;
            // Fields beyond the last column are dropped, so their text is not kept either.
            if (field < t.columns)
                cell.append(text.substr(i, end - i));
            i = end;
            continue;
        }
        if (c == '"') {
            if (quoted && i + 1 < n && text[i + 1] == '"') {
                if (field < t.columns)
                    cell += '"';
                i += 2;
            } else {
                quoted = !quoted;
                ++i;
            }
        } else if (c == delimiter && !quoted) {
            endCell();
            ++i;
        } else if (c == '\n' || c == '\r') {
            std::size_t next = i + 1;
            if (c == '\r' && next < n && text[next] == '\n')
                ++next;
            // A line break inside quotes joins the lines, unless nothing follows it.
            if (quoted && next < n) {
                if (field < t.columns)
                    cell += ", ";
            } else {
                endRow();
            }
            i = next;
        } else {
            // The delimiter inside quotes is an ordinary character.
            if (field < t.columns)
                cell += c;
            ++i;
        }
    }
    if (rowOpen)
        endRow();
    return t;
}

DelimitedTable DelimitedTable::ParseBytes(const QByteArray& bytes, char delimiter, int columns) {
    const std::string text = Text::decodeFile(
        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    return Parse(text, delimiter, columns);
}

std::string_view DelimitedTable::cell(int row, int column) const {
    if (row < 0 || row >= rowCount() || column < 0 || column >= columns)
        return {};
    const std::size_t first = rowStarts[static_cast<std::size_t>(row)];
    const std::size_t index = first + static_cast<std::size_t>(column);
    if (index >= rowStarts[static_cast<std::size_t>(row) + 1])
        return {};
    const Span s = cells[index];
    return std::string_view(text).substr(s.offset, s.length);
}
