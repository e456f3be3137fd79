#include "contacts/ImportTableModel.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

ImportTableModel& filled(ImportTableModel& m, std::string_view text, int columns) {
    m.SetTable(DelimitedTable::Parse(text, ',', columns));
    return m;
}

QString shown(const ImportTableModel& m, int row, int column) {
    return m.data(m.index(row, column)).toString();
}

} // namespace

TEST(ImportTableModel, NumbersRowsAndNamesColumnsAfterDeletions) {
    ImportTableModel m;
    filled(m, "a1,a2,a3\nb1,b2,b3\nc1,c2,c3\n", 3);
    EXPECT_EQ(m.rowCount(), 3);
    EXPECT_EQ(m.columnCount(), 4);
    EXPECT_EQ(m.headerData(0, Qt::Horizontal).toString(), QString());
    EXPECT_EQ(m.headerData(2, Qt::Horizontal).toString(), QStringLiteral("Field 2"));

    // Column 0 cannot go; a data column keeps its field's name when one before it goes.
    EXPECT_FALSE(m.removeColumn(0));
    ASSERT_TRUE(m.removeColumn(1));
    EXPECT_EQ(m.headerData(1, Qt::Horizontal).toString(), QStringLiteral("Field 2"));
    EXPECT_EQ(shown(m, 0, 1), QStringLiteral("a2"));

    // Rows are renumbered 1, 2, ... after a deletion.
    m.RemoveRowSet({0});
    EXPECT_EQ(shown(m, 0, 0), QStringLiteral("1"));
    EXPECT_EQ(shown(m, 0, 1), QStringLiteral("b2"));
    EXPECT_EQ(shown(m, 1, 0), QStringLiteral("2"));
}

TEST(ImportTableModel, RemovesScatteredRowsInRuns) {
    ImportTableModel m;
    filled(m, "0\n1\n2\n3\n4\n5\n6\n", 1);
    QSignalSpy removed(&m, &QAbstractItemModel::rowsRemoved);
    m.RemoveRowSet({6, 1, 2, 4, 2, 99});
    EXPECT_EQ(removed.count(), 3); // 6, then 4, then 1-2
    ASSERT_EQ(m.rowCount(), 3);
    EXPECT_EQ(m.Cell(0, 1), "0");
    EXPECT_EQ(m.Cell(1, 1), "3");
    EXPECT_EQ(m.Cell(2, 1), "5");
}

TEST(ImportTableModel, ContactsFromTheGivenColumnOrder) {
    struct Case {
        const char* text;
        int columns;
        std::vector<int> order;
        std::vector<std::string> contacts;
    };
    const std::vector<Case> cases = {
        // Empty cells are left out; every kept cell ends with CR LF; no US-style join.
        {"Ann,,Town,IL,62704\n", 5, {1, 2, 3, 4, 5}, {"Ann\r\nTown\r\nIL\r\n62704\r\n"}},
        {"a,b,c\n", 3, {3, 1, 2}, {"c\r\na\r\nb\r\n"}},
        // Only the first eight columns of the order count.
        {"1,2,3,4,5,6,7,8,9,10\n",
         10,
         {9, 1, 2, 3, 4, 5, 6, 7, 8, 10},
         {"9\r\n1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n"}},
        // Rows with nothing in the imported columns give no contact.
        {",,\n , \nx\n", 3, {1, 2, 3}, {"x\r\n"}},
        {",,\n,,\n", 3, {1, 2, 3}, {}},
    };
    for (const Case& c : cases) {
        ImportTableModel m;
        filled(m, c.text, c.columns);
        EXPECT_EQ(m.Contacts(c.order), c.contacts) << c.text;
    }
}

TEST(ImportTableModel, LongCellsShowCutButImportWhole) {
    ImportTableModel m;
    const std::string longName(3000, 'n');
    filled(m, "short\n" + longName + "\n", 1);
    EXPECT_EQ(m.LongestRow(1), 1);
    const QString text = shown(m, 1, 1);
    EXPECT_EQ(text.size(), static_cast<qsizetype>(ImportTableModel::kMaxShownBytes) + 1);
    EXPECT_EQ(text.back(), QChar(0x2026));
    EXPECT_EQ(m.Contacts({1})[1], longName + "\r\n");
}
