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
    // columns is at least 1. Reading stops after maxRows rows; tooManyRows() then tells
    // whether the text held more.
    static DelimitedTable Parse(std::string_view text, char delimiter, int columns,
                                int maxRows = kMaxRows);
    // True when Parse would find more than maxRows rows in text; nothing is kept, so a file
    // can be refused before its table is built.
    static bool HasMoreRowsThan(std::string_view text, int maxRows);
    // The same for a file's bytes, decoded first as contact files are.
    static DelimitedTable ParseBytes(const QByteArray& bytes, char delimiter, int columns);

    // Far beyond any address list; it keeps a file of empty or one-letter rows from taking
    // many times its size in memory.
    static constexpr int kMaxRows = 1000000;

    int rowCount() const { return static_cast<int>(rowFirst.size()); }
    bool tooManyRows() const { return cut; }
    int columnCount() const { return columns; }
    // The most fields any row had, those beyond the last column included.
    int widestRow() const { return widest; }
    std::string_view cell(int row, int column) const;

private:
    int columns = 1;
    int widest = 0;
    bool cut = false;
    std::string text; // every non-empty kept cell's characters, one after the other
    // Row r's non-empty cells, in column order, start at text[rowText[r]] and end where their
    // offsets from there say: 16-bit offsets in shortEnds from rowFirst[r] on, or, for a row
    // of 64 KiB of text or more (longRow[r]), 32-bit ones in longEnds; a cell starts where
    // the one before it ends. Two bytes per cell keep rows of one-letter cells small.
    std::vector<std::uint32_t> rowText;
    std::vector<std::uint32_t> rowFirst;
    std::vector<bool> longRow;
    std::vector<std::uint16_t> shortEnds;
    std::vector<std::uint32_t> longEnds;
    // The columns those cells are in: a bit per column, in the words bits[rowBits[r],
    // rowBits[r+1]) up to the row's last non-empty cell. An empty cell costs one bit, so that
    // rows of delimiters stay small.
    std::vector<std::uint32_t> rowBits{0};
    std::vector<std::uint64_t> bits;
};
