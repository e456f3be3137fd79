#include "contacts/DelimitedTable.h"
#include "contacts/CCSVFile.h"

#include "ScriptedPrompt.h"

#include <QFile>
#include <algorithm>
#include <gtest/gtest.h>
#include <string>

namespace {

using Rows = std::vector<std::vector<std::string>>;

QByteArray importFixture(const std::string& name) {
    QFile f(QStringLiteral(QM_TEST_DATA_DIR "/contacts/import/") + QString::fromStdString(name));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << name;
    return f.readAll();
}

Rows rowsOf(const DelimitedTable& t) {
    Rows rows;
    for (int r = 0; r < t.rowCount(); ++r) {
        std::vector<std::string> row;
        for (int c = 0; c < t.columnCount(); ++c)
            row.emplace_back(t.cell(r, c));
        rows.push_back(std::move(row));
    }
    return rows;
}

} // namespace

TEST(DelimitedTable, ParsesFixtures) {
    struct Case {
        const char* fixture;
        char delimiter;
        int columns;
        Rows rows;
    };
    const std::vector<Case> cases = {
        // A line break inside quotes joins the lines with ", "; a doubled quote inside quotes
        // is one quote character.
        {"quoted_two_lines.csv",
         ',',
         3,
         {{"Ann Lee", "12 High Street, Flat 2", "Springfield"}, {"Bob", "Say \"hi\"", "Town"}}},
        // The last line needs no line end and keeps its last character.
        {"no_final_line_end.csv", ',', 2, {{"Ann", "Road"}, {"Bob", "Lane"}}},
        // Extra fields are dropped, missing ones are empty.
        {"ragged.csv", ',', 3, {{"a", "b", "c"}, {"1", "2", "3"}, {"x", "", ""}}},
        // A quote never closed takes the rest of the file into one cell.
        {"unclosed_quote.csv", ',', 2, {{"Ann", "Road, Bob,Lane, Carl,Way"}}},
        // CR LF, LF and a lone CR all end a row.
        {"mixed_line_ends.csv", ';', 2, {{"a", "1"}, {"b", "2"}, {"c", "3"}, {"d", "4"}}},
        {"only_delimiters.csv", ',', 4, {{"", "", "", ""}, {"", "", "", ""}}},
        // Cells are trimmed; an empty line is an empty row.
        {"trimmed_cells.csv", '\t', 3, {{"Ann", "12 Road", ""}, {"", "", ""}}},
        // Another delimiter than the file's: one column per line.
        {"ragged.csv", ';', 1, {{"a,b,c"}, {"1,2,3,4,5"}, {"x"}}},
    };
    for (const Case& c : cases) {
        const DelimitedTable t =
            DelimitedTable::ParseBytes(importFixture(c.fixture), c.delimiter, c.columns);
        EXPECT_EQ(t.columnCount(), c.columns) << c.fixture;
        EXPECT_EQ(rowsOf(t), c.rows) << c.fixture;
    }
}

TEST(DelimitedTable, EveryEncodingGivesTheSameCells) {
    const Rows expected = {{"Name", "Street", "Town", "Price"},
                           {"M\xC3\xBCller, Zo\xC3\xAB", "1 \xC3\x98rsted Road", "S\xC3\xA3o Paulo",
                            "\xE2\x82\xAC 5"}};
    QByteArray utf16be; // the zero-byte pattern gives it away without a byte-order mark
    const QByteArray le = importFixture("accents_utf16le.csv").mid(2);
    for (qsizetype i = 0; i + 1 < le.size(); i += 2)
        utf16be.append(le[i + 1]).append(le[i]);
    struct Case {
        std::string name;
        QByteArray bytes;
        Text::Encoding encoding;
    };
    const std::vector<Case> cases = {
        {"accents_utf8.csv", importFixture("accents_utf8.csv"), Text::Encoding::Utf8},
        {"accents_utf8_bom.csv", importFixture("accents_utf8_bom.csv"),
         Text::Encoding::Utf8WithMark},
        {"accents_utf16le.csv", importFixture("accents_utf16le.csv"), Text::Encoding::Utf16LE},
        {"accents_windows1252.csv", importFixture("accents_windows1252.csv"),
         Text::Encoding::Windows1252},
        {"UTF-16 BE without a mark", utf16be, Text::Encoding::Utf16BE},
        {"UTF-16 LE without a mark", le, Text::Encoding::Utf16LE},
    };
    for (const Case& c : cases) {
        ScriptedPrompt prompt;
        CCSVFile file(c.bytes, QStringLiteral("export.csv"), false);
        EXPECT_EQ(file.encoding(), c.encoding) << c.name;
        // The detection sees the decoded text: the comma outside the quotes is counted too.
        ASSERT_EQ(file.DetectFormat(), CCSVFile::Foreign) << c.name;
        EXPECT_EQ(file.delimiter(), ',') << c.name;
        EXPECT_EQ(file.fieldCount(), 5) << c.name;
        EXPECT_EQ(rowsOf(DelimitedTable::ParseBytes(c.bytes, ',', 4)), expected) << c.name;
        EXPECT_TRUE(prompt.shown.empty()) << c.name;
    }
}

TEST(DelimitedTable, DetectionCountsEveryDelimiterAndEveryLineEnd) {
    ScriptedPrompt prompt;
    // A lone CR ends a line, so the semicolon count is per line, not of the whole file.
    CCSVFile file("Time: 10:30;a;b\r1;2;3;4;5;6\r\nx|y\n", QStringLiteral("s.csv"), false);
    ASSERT_EQ(file.DetectFormat(), CCSVFile::Foreign);
    EXPECT_EQ(file.delimiter(), ':');
    EXPECT_EQ(file.fieldCount(), 3);
    EXPECT_EQ(file.fieldCount(';'), 6);
    EXPECT_EQ(file.fieldCount('|'), 2);
    EXPECT_EQ(file.fieldCount(','), 1);
    EXPECT_EQ(file.presenceMask(), 0x1Cu);
}

TEST(DelimitedTable, RowsWhoseQuotedCellsSpanLinesShowAllTheirFields) {
    // No line of this export has more than one comma, yet every row has three fields; the
    // dialog must show the third or importing drops the telephone numbers unseen.
    ScriptedPrompt prompt;
    const QByteArray bytes = "\"Bob\",\"1 Main St\nSpringfield\",\"555 1234\"\n"
                             "\"Ann\",\"2 High St\nLeeds\",\"555 9876\"\n";
    CCSVFile file(bytes, QStringLiteral("people.csv"), false);
    ASSERT_EQ(file.DetectFormat(), CCSVFile::Foreign);
    EXPECT_EQ(file.fieldCount(), 3);
    EXPECT_EQ(file.fieldCount(','), 3);
    const DelimitedTable t = DelimitedTable::Parse(file.text(), ',', file.fieldCount());
    ASSERT_EQ(t.rowCount(), 2);
    EXPECT_EQ(t.cell(1, 1), "2 High St, Leeds");
    EXPECT_EQ(t.cell(1, 2), "555 9876");
    EXPECT_EQ(t.widestRow(), 3);
}

TEST(DelimitedTable, LargeAndMalformedInputStaysBounded) {
    // Five megabytes inside one quote that never closes: one row, one long cell.
    QByteArray big = "Name,\"";
    big += QByteArray(5 * 1024 * 1024, 'x');
    big += "\n,,,\n";
    const DelimitedTable t = DelimitedTable::ParseBytes(big, ',', 3);
    ASSERT_EQ(t.rowCount(), 1);
    EXPECT_EQ(t.cell(0, 0), "Name");
    EXPECT_EQ(t.cell(0, 1).size(), 5u * 1024 * 1024 + 5); // ", ,,," joined on
    EXPECT_EQ(t.cell(0, 2), "");

    // Empty input, zero bytes, a lone quote and a lone line end give no crash and no cells.
    for (const QByteArray& bytes : {QByteArray(), QByteArray(7, '\0'), QByteArray("\""),
                                    QByteArray("\r\n"), QByteArray("\xFF\xFE")}) {
        const DelimitedTable e = DelimitedTable::ParseBytes(bytes, ',', 2);
        EXPECT_LE(e.rowCount(), 1);
        EXPECT_EQ(e.cell(0, 0), "");
        EXPECT_EQ(e.cell(5, 9), "");
    }
}

TEST(DelimitedTable, StopsAfterTheRowLimitAndSaysWhetherMoreFollowed) {
    struct Case {
        const char* text;
        int rows;
        bool tooMany;
        const char* secondRow;
    };
    // Limit 2 rows.
    const Case cases[] = {
        {"a\nb\n", 2, false, "b"},
        {"a\nb", 2, false, "b"},
        {"a\r\nb\r\n", 2, false, "b"},
        {"a\n\"b\nc\"\n", 2, false, "b, c"}, // a line break inside quotes is no new row
        {"a\nb\nc", 2, true, "b"},
        {"a\nb\n\n", 2, true, "b"}, // an empty row counts
        {"\n\n\n", 2, true, ""},
    };
    for (const Case& c : cases) {
        const DelimitedTable t = DelimitedTable::Parse(c.text, ',', 2, 2);
        EXPECT_EQ(t.rowCount(), c.rows) << c.text;
        EXPECT_EQ(t.tooManyRows(), c.tooMany) << c.text;
        EXPECT_EQ(t.cell(1, 0), c.secondRow) << c.text;
    }
    // The count made before a table is built agrees with the table, quotes and all.
    for (const char* text :
         {"", "a", "\n", "a\r\n\r\nb", "\"", "a\n\"", "a\n\"b\n\"", "\"\"\"\n\"\n", "\"a\r\n",
          "a,\"b\r\nc\"\"\r\nd\"\re\n\nf", "\"\"\"\"\n\n", "x\r"}) {
        const int rows = DelimitedTable::Parse(text, ',', 3).rowCount();
        for (int limit = 0; limit <= 5; ++limit)
            EXPECT_EQ(DelimitedTable::HasMoreRowsThan(text, limit), rows > limit)
                << text << " " << limit;
    }
}

TEST(DelimitedTable, WideRowsWithFewFilledCellsKeepEveryCellInItsColumn) {
    // 300 fields; the filled ones sit on both sides of every 64-column boundary.
    const std::vector<int> filled = {0, 1, 62, 63, 64, 65, 127, 128, 200, 255, 256, 299};
    std::string row;
    for (int c = 0; c < 300; ++c) {
        if (c > 0)
            row += ',';
        if (std::find(filled.begin(), filled.end(), c) != filled.end())
            row += " v" + std::to_string(c) + " ";
    }
    // A second row with the filled columns shifted by one, and an empty row between.
    std::string shifted = "," + row;
    const std::string text = row + "\n\n" + shifted + "\n";
    const DelimitedTable t = DelimitedTable::Parse(text, ',', 301);
    ASSERT_EQ(t.rowCount(), 3);
    EXPECT_EQ(t.widestRow(), 301);
    for (int c = 0; c < 301; ++c) {
        const bool inFirst = std::find(filled.begin(), filled.end(), c) != filled.end();
        const bool inThird = std::find(filled.begin(), filled.end(), c - 1) != filled.end();
        EXPECT_EQ(t.cell(0, c), inFirst ? "v" + std::to_string(c) : "") << c;
        EXPECT_EQ(t.cell(1, c), "") << c;
        EXPECT_EQ(t.cell(2, c), inThird ? "v" + std::to_string(c - 1) : "") << c;
    }
    // Columns beyond the kept ones are dropped.
    const DelimitedTable narrow = DelimitedTable::Parse(text, ',', 64);
    EXPECT_EQ(narrow.cell(0, 63), "v63");
    EXPECT_EQ(narrow.cell(0, 64), "");
    EXPECT_EQ(narrow.cell(2, 63), "v62");
}

TEST(DelimitedTable, RowsAroundSixtyFourKilobytesOfTextKeepTheirCells) {
    // The cells' text in a row takes 65,535 bytes, then 65,536, then a few: the first and last
    // rows are measured in 16 bits, the middle one needs more.
    const std::string a(65534, 'a');
    const std::string b(65535, 'b');
    const std::string text = a + ",y,\n" + b + ",,z\n" + "c,d\n";
    const DelimitedTable t = DelimitedTable::Parse(text, ',', 3);
    ASSERT_EQ(t.rowCount(), 3);
    const std::vector<std::vector<std::string>> expected = {
        {a, "y", ""}, {b, "", "z"}, {"c", "d", ""}};
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            EXPECT_EQ(t.cell(r, c), expected[r][c]) << r << "," << c;
}
