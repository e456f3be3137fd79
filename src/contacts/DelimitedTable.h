#pragma once

#include <QByteArray>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The rows and cells of a delimited text file, as the import dialog shows them. Every row
// has the same number of columns; cells a row lacks are empty, fields beyond the last
// column are dropped. Cells are UTF-8 and trimmed of white space.
class DelimitedTable {
public:
    // Splits text that is already UTF-8:
    // - a double quote toggles quoting and is dropped; two of them inside quotes stand for
    //   one quote character;
    // - the delimiter outside quotes ends a cell;
    // - a line end (LF, CR LF or a lone CR) outside quotes ends a row; inside quotes it joins
    //   the two lines with ", ";
    // - the end of the text ends the last row, whatever state it is in.
    // columns is at least 1.
    static DelimitedTable Parse(std::string_view text, char delimiter, int columns);
    // The same for a file's bytes, decoded first as contact files are.
    static DelimitedTable ParseBytes(const QByteArray& bytes, char delimiter, int columns);

    int rowCount() const { return static_cast<int>(rowStarts.size()) - 1; }
    int columnCount() const { return columns; }
    // The most fields any row had, those beyond the last column included.
    int widestRow() const { return widest; }
    std::string_view cell(int row, int column) const;

private:
    struct Span {
        std::uint32_t offset;
        std::uint32_t length;
    };
    int columns = 1;
    int widest = 0;
    std::string text;                        // every kept cell's characters, one after the other
    std::vector<Span> cells;                 // a row's cells up to its last non-empty one
    std::vector<std::uint32_t> rowStarts{0}; // row r's cells are [rowStarts[r], rowStarts[r+1])
};
