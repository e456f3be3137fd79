#include "contacts/DelimitedTable.h"

#include "contacts/ContactText.h"
#include "platform/Text.h"

#include <algorithm>
#include <bit>
#include <limits>

namespace {

// Offsets are 32-bit; a larger text is cut there (the file reader refuses such files long
// before).
constexpr std::size_t kMaxText = std::numeric_limits<std::uint32_t>::max() - 1;

} // namespace

DelimitedTable DelimitedTable::Parse(std::string_view input, char delimiter, int columnCount,
                                     int maxRows) {
    DelimitedTable t;
    t.columns = std::max(1, columnCount);
    const std::string_view text = input.substr(0, kMaxText);
    t.text.reserve(text.size());

    std::string cell;
    int field = 0;
    bool quoted = false;
    bool rowOpen = false;
    std::vector<std::uint64_t> rowWords; // the current row's bits
    std::vector<std::uint32_t> rowEnds;  // and its cells' ends, from rowBase
    std::size_t rowBase = 0;

    const auto endCell = [&] {
        if (field < t.columns) {
            const std::string_view trimmed = ContactText::trim(cell);
            if (!trimmed.empty()) {
                t.text.append(trimmed);
                rowEnds.push_back(static_cast<std::uint32_t>(t.text.size() - rowBase));
                const auto word = static_cast<std::size_t>(field) / 64;
                if (rowWords.size() <= word)
                    rowWords.resize(word + 1, 0);
                rowWords[word] |= std::uint64_t{1} << (field % 64);
            }
        }
        cell.clear();
        ++field;
    };
    const auto endRow = [&] {
        endCell();
        t.widest = std::max(t.widest, field);
        // Empty cells after the last non-empty one have no word at all.
        t.bits.insert(t.bits.end(), rowWords.begin(), rowWords.end());
        t.rowBits.push_back(static_cast<std::uint32_t>(t.bits.size()));
        rowWords.clear();
        const bool isLong = !rowEnds.empty() && rowEnds.back() > 0xFFFF;
        t.rowText.push_back(static_cast<std::uint32_t>(rowBase));
        t.longRow.push_back(isLong);
        if (isLong) {
            t.rowFirst.push_back(static_cast<std::uint32_t>(t.longEnds.size()));
            t.longEnds.insert(t.longEnds.end(), rowEnds.begin(), rowEnds.end());
        } else {
            t.rowFirst.push_back(static_cast<std::uint32_t>(t.shortEnds.size()));
            for (const std::uint32_t end : rowEnds)
                t.shortEnds.push_back(static_cast<std::uint16_t>(end));
        }
        rowEnds.clear();
        rowBase = t.text.size();
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
        if (!rowOpen && t.rowCount() >= maxRows) {
            // Whatever is left would start another row.
            t.cut = true;
            break;
        }
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

bool DelimitedTable::HasMoreRowsThan(std::string_view input, int maxRows) {
    // Rows end as Parse ends them: at a line end outside quotes, or at one inside quotes that
    // nothing follows; a doubled quote toggles twice and so changes nothing.
    const std::string_view text = input.substr(0, kMaxText);
    const std::size_t n = text.size();
    long long rows = 0;
    bool quoted = false;
    bool rowOpen = false;
    std::size_t i = 0;
    while (i < n) {
        if (!rowOpen && rows >= maxRows)
            return true; // whatever is left starts another row
        rowOpen = true;
        const std::size_t special = text.find_first_of("\"\n\r", i);
        if (special == std::string_view::npos)
            break;
        const char c = text[special];
        i = special + 1;
        if (c == '"') {
            quoted = !quoted;
            continue;
        }
        if (c == '\r' && i < n && text[i] == '\n')
            ++i;
        if (!quoted || i >= n) {
            ++rows;
            quoted = false;
            rowOpen = false;
        }
    }
    return rows + (rowOpen ? 1 : 0) > maxRows;
}

DelimitedTable DelimitedTable::ParseBytes(const QByteArray& bytes, char delimiter, int columns) {
    const std::string text = Text::decodeFile(
        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    return Parse(text, delimiter, columns);
}

std::string_view DelimitedTable::cell(int row, int column) const {
    if (row < 0 || row >= rowCount() || column < 0 || column >= columns)
        return {};
    const auto r = static_cast<std::size_t>(row);
    const std::size_t firstWord = rowBits[r];
    const auto w = static_cast<std::size_t>(column) / 64;
    if (firstWord + w >= rowBits[r + 1])
        return {};
    const std::uint64_t word = bits[firstWord + w];
    const std::uint64_t bit = std::uint64_t{1} << (column % 64);
    if ((word & bit) == 0)
        return {};
    // The cell's place among the row's non-empty cells: the set bits before its own.
    std::size_t k = 0;
    for (std::size_t before = 0; before < w; ++before)
        k += static_cast<std::size_t>(std::popcount(bits[firstWord + before]));
    k += static_cast<std::size_t>(std::popcount(word & (bit - 1)));
    const std::size_t first = rowFirst[r];
    std::size_t start = 0;
    std::size_t end = 0;
    if (longRow[r]) {
        start = k == 0 ? 0 : longEnds[first + k - 1];
        end = longEnds[first + k];
    } else {
        start = k == 0 ? 0 : shortEnds[first + k - 1];
        end = shortEnds[first + k];
    }
    return std::string_view(text).substr(rowText[r] + start, end - start);
}
