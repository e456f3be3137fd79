#include "contacts/Categories.h"
#include "Bytes.h"
#include "contacts/CategoryAssignment.h"
#include "contacts/CategoryNameList.h"

#include "Fifo.h"
#include "ScriptedPrompt.h"
#include "TempDir.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

QByteArray fixture(const char* name) {
    QFile f(QStringLiteral(QM_TEST_DATA_DIR "/categories/") + QLatin1String(name));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << name;
    return f.readAll();
}

struct Entry {
    std::string text;
    std::uint32_t mask;
    bool operator==(const Entry&) const = default;
};

std::vector<Entry> entries(const CMyContactsArray& store) {
    std::vector<Entry> out;
    for (int i = 0; i < store.GetSize(); ++i)
        out.push_back({store.GetAt(i), store.GetMask(i)});
    return out;
}

CMyContactsArray storeOf(const std::vector<Entry>& list) {
    CMyContactsArray s;
    for (const Entry& e : list)
        s.Add(e.text, e.mask);
    return s;
}

Categories sample() {
    Categories c;
    c.categoryNames = {"Family", "Work"};
    c.categoryStore.Add("Ann Lee", 0x3);
    c.categoryStore.Add("Bob", 0x2);
    return c;
}

} // namespace

// Deleting categories 2 and then 0 of four on the page records both original positions;
// OK then moves the contacts of the former 1 and 3 to 0 and 1 and drops the deleted ones.
TEST(Categories, RenumberAfterDeletingTwoThenZeroOfFour) {
    CategoryNameList page({"A", "B", "C", "D"});
    page.Delete(2);
    page.Delete(0);
    EXPECT_EQ(page.names(), (std::vector<std::string>{"B", "D"}));
    EXPECT_EQ(page.deletedMask(), 0x5u);
    EXPECT_TRUE(page.changed());

    Categories c;
    c.categoryStore = storeOf({{"in B", 0x2},
                               {"in D", 0x8},
                               {"in A and C", 0x5},
                               {"in B and D", 0xA},
                               {"in C", 0x4},
                               {"in A and B", 0x3}});
    c.RenumberCategories(page.deletedMask());
    EXPECT_EQ(entries(c.categoryStore),
              (std::vector<Entry>{
                  {"in B", 0x1}, {"in D", 0x2}, {"in B and D", 0x3}, {"in A and B", 0x1}}));
    EXPECT_TRUE(c.IsInCategory("in D", 1));
    EXPECT_FALSE(c.IsInCategory("in D", 3));
}

// One deletion at a time, including the top bit, whose shift leaves no bits above it.
TEST(Categories, RenumberSingleDeletions) {
    struct Case {
        std::uint32_t mask, deleted;
        std::vector<Entry> after;
    };
    const Case cases[] = {
        {0x1, 0x1, {}}, // the only category of the contact: its entry goes
        {0x80000001u, 0x80000000u, {{"x", 0x1}}},
        {0x80000000u, 0x1, {{"x", 0x40000000u}}},
        {0x6, 0x2, {{"x", 0x2}}},
        {0x6, 0x0, {{"x", 0x6}}},
        {0xFFFFFFFFu, 0xFFFFFFFEu, {{"x", 0x1}}},
    };
    for (const Case& t : cases) {
        Categories c;
        c.categoryStore = storeOf({{"x", t.mask}});
        c.RenumberCategories(t.deleted);
        EXPECT_EQ(entries(c.categoryStore), t.after) << std::hex << t.mask << " " << t.deleted;
    }
}

// The entry after a removed one is not skipped.
TEST(Categories, RenumberRemovesAdjacentEntries) {
    Categories c;
    c.categoryStore = storeOf({{"a", 0x1}, {"b", 0x1}, {"c", 0x3}, {"d", 0x1}});
    c.RenumberCategories(0x1);
    EXPECT_EQ(entries(c.categoryStore), (std::vector<Entry>{{"c", 0x1}}));
}

TEST(Categories, IsInCategoryMatchesTextExactly) {
    Categories c;
    c.categoryStore = storeOf({{"Ann Lee", 0x2}, {"Bob", 0x1}, {"Ann Lee", 0x4}});
    EXPECT_TRUE(c.IsInCategory("Ann Lee", 1));
    EXPECT_TRUE(c.IsInCategory("Ann Lee", 2)); // a later entry of the same text counts too
    EXPECT_FALSE(c.IsInCategory("Ann Lee", 0));
    EXPECT_FALSE(c.IsInCategory("ann lee", 1));
    EXPECT_FALSE(c.IsInCategory("Ann Lee ", 1));
    EXPECT_TRUE(c.IsInCategory("Bob", 32)); // the bit number wraps as in the pane's filter
}

TEST(Categories, PageAddsUpToThirtyAndRenamesInPlace) {
    CategoryNameList page({"A", "B"});
    page.Rename(0, "");
    EXPECT_EQ(page.names(), (std::vector<std::string>{"", "B"}));
    EXPECT_EQ(page.deletedMask(), 0u);
    for (int i = 2; i < Categories::kMaxCategories; ++i)
        ASSERT_EQ(page.Add("n"), CategoryNameList::AddResult::Added);
    EXPECT_EQ(page.Add("one too many"), CategoryNameList::AddResult::TooMany);
    EXPECT_EQ(page.GetSize(), 30);
    // A name added on the page and deleted again leaves no trace in the mask.
    page.Delete(29);
    page.Delete(1);
    EXPECT_EQ(page.deletedMask(), 0x2u);
}

TEST(Categories, SetOnTwoContactsWithTheSameTextAddsTwoEntries) {
    const CMyContactsArray start = storeOf({{"Cy", 0x1}});
    CategoryAssignment a(start, {"Ann Lee", "Ann Lee", "Cy"});
    EXPECT_FALSE(a.AnySelectedIn(1));
    a.Set(1);
    EXPECT_EQ(entries(a.store()),
              (std::vector<Entry>{{"Cy", 0x3}, {"Ann Lee", 0x2}, {"Ann Lee", 0x2}}));
    EXPECT_TRUE(a.AnySelectedIn(1));
    EXPECT_EQ(a.EntryText("Work", 1), "Work *");
    EXPECT_EQ(a.EntryText("Home", 0), "Home *");
    EXPECT_EQ(a.EntryText("Club", 2), "Club");
    // Setting again finds the first entry and adds nothing.
    a.Set(2);
    EXPECT_EQ(entries(a.store()),
              (std::vector<Entry>{{"Cy", 0x7}, {"Ann Lee", 0x6}, {"Ann Lee", 0x2}}));
}

// One selected contact loses its last category, another is in no category at all; the
// entries of contacts not selected stay as they were.
TEST(Categories, RemoveLeavesOtherEntriesAlone) {
    const CMyContactsArray start =
        storeOf({{"Dee", 0x2}, {"Ann", 0x2}, {"Bob", 0x6}, {"Eve", 0x2}});
    CategoryAssignment a(start, {"Ann", "Cy", "Bob"});
    a.Remove(1);
    EXPECT_EQ(entries(a.store()), (std::vector<Entry>{{"Dee", 0x2}, {"Bob", 0x4}, {"Eve", 0x2}}));
    EXPECT_FALSE(a.AnySelectedIn(1));
    EXPECT_EQ(entries(start).size(), 4u); // the dialog works on a copy
}

// Set on two contacts of one display text makes two entries; removing the category from
// one of them must take the contact out of it, not leave the second entry behind.
TEST(Categories, RemoveClearsEveryEntryOfTheText) {
    const CMyContactsArray start = storeOf({{"Ann", 0x3}, {"Ann", 0x1}});
    CategoryAssignment a(start, {"Ann"});
    a.Remove(0);
    EXPECT_EQ(entries(a.store()), (std::vector<Entry>{{"Ann", 0x2}}));
    EXPECT_FALSE(a.AnySelectedIn(0));
}

TEST(Categories, StoreFileBytes) {
    EXPECT_EQ(Categories().ToBytes(), bytesOf({0, 0, 0, 0}));
    EXPECT_EQ(sample().ToBytes(),
              bytesOf({0x02, 0x00, 0x06, 'F',  'a',  'm', 'i', 'l', 'y',  0x04, 'W', 'o',
                       'r',  'k',  0x02, 0x00, 0x07, 'A', 'n', 'n', ' ',  'L',  'e', 'e',
                       0x03, 0,    0,    0,    0x03, 'B', 'o', 'b', 0x02, 0,    0,   0}));
}

// Write, read, write: the same bytes, through the file as well as in memory.
TEST(Categories, RoundTripIsByteIdentical) {
    Categories big = sample();
    big.categoryNames.push_back(std::string(300, 'n'));
    big.categoryNames.push_back("Caf\xC3\xA9");
    for (int i = 0; i < 40; ++i)
        big.categoryNames.push_back("c" + std::to_string(i));
    big.categoryStore.Add(std::string(70000, 'x'), 0x80000000u);

    for (const Categories& c : {Categories(), sample(), big}) {
        const QByteArray first = c.ToBytes();
        const auto back = Categories::FromBytes(first);
        ASSERT_TRUE(back.has_value());
        EXPECT_EQ(*back, c);
        EXPECT_EQ(back->ToBytes(), first);
    }

    TempDir dir;
    const QString path = dir.path(QStringLiteral("sub/folder/Categories"));
    ScriptedPrompt prompt;
    ASSERT_TRUE(big.SaveCategories(path)); // makes the missing folders
    const QByteArray written = dir.read(QStringLiteral("sub/folder/Categories"));
    EXPECT_EQ(written, big.ToBytes());
    Categories loaded;
    ASSERT_EQ(loaded.LoadCategories(path), Categories::LoadResult::Loaded);
    EXPECT_EQ(loaded, big);
    ASSERT_TRUE(loaded.SaveCategories(path));
    EXPECT_EQ(dir.read(QStringLiteral("sub/folder/Categories")), written);
    EXPECT_TRUE(prompt.shown.empty());
}

// Names stored in the wide form or in Windows-1252 are read as UTF-8.
TEST(Categories, ReadsWideAndEightBitNames) {
    const auto c = Categories::FromBytes(fixture("wide_names"));
    ASSERT_TRUE(c.has_value());
    EXPECT_EQ(c->categoryNames, (std::vector<std::string>{"Caf\xC3\xA9", "Cr\xC3\xA8"
                                                                         "che"}));
    EXPECT_EQ(entries(c->categoryStore), (std::vector<Entry>{{"Bob", 0x2}}));
}

TEST(Categories, MalformedBytesLoadNothing) {
    const QByteArray good = sample().ToBytes();
    const QByteArray cases[] = {
        QByteArray(),
        bytesOf({0x00}),
        bytesOf({0x00, 0x00, 0x01}),
        good.left(good.size() - 1),
        good.left(12),
        bytesOf({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F}),       // a count the data cannot hold
        bytesOf({0x01, 0x00, 0xFF, 0xFE, 0xFF, 0x09, 0x41}), // wide name cut short
        fixture("truncated"),
    };
    for (const QByteArray& bytes : cases)
        EXPECT_FALSE(Categories::FromBytes(bytes).has_value()) << bytes.toHex().toStdString();
}

// A damaged file is reported once, nothing of it is loaded, and it stays on disk as it was
// because there are no categories to save.
TEST(Categories, DamagedFileIsReportedOnceAndKept) {
    TempDir dir;
    const QByteArray damaged = fixture("truncated");
    const QString path = dir.write(QStringLiteral("Categories"), damaged);
    ScriptedPrompt prompt;
    Categories c;
    int loadingShown = 0;
    EXPECT_EQ(c.LoadCategories(path, [&] { ++loadingShown; }), Categories::LoadResult::Failed);
    EXPECT_EQ(loadingShown, 1);
    EXPECT_TRUE(c.categoryNames.empty());
    EXPECT_EQ(c.categoryStore.GetSize(), 0);
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_EQ(prompt.shown[0].text,
              QStringLiteral("The categories file ") + path +
                  QStringLiteral(" is damaged, so no categories were loaded.\nThe file is kept "
                                 "as it is unless you create categories, which then replace it."));
    EXPECT_EQ(prompt.shown[0].caption, QStringLiteral("Quillmark"));
    EXPECT_EQ(prompt.shown[0].icon, Prompt::Icon::Warning);
    EXPECT_FALSE(c.ShouldSave());
    EXPECT_EQ(dir.read(QStringLiteral("Categories")), damaged);
}

// A store file that became a named pipe is reported at once; nothing of the list changes.
TEST(Categories, PipeIsRefusedWithoutWaiting) {
    TempDir dir;
    const QString fifo = makeFifo(dir.path(QStringLiteral("Categories")));
    ASSERT_FALSE(fifo.isEmpty());
    ScriptedPrompt prompt;
    Categories c = sample();
    {
        HangGuard guard;
        EXPECT_EQ(c.LoadCategories(fifo), Categories::LoadResult::Failed);
    }
    EXPECT_EQ(prompt.texts(), QStringList{QStringLiteral("Can't open file: ") + fifo +
                                          QStringLiteral(". Error = 6")});
    EXPECT_EQ(c, sample());
}

TEST(Categories, MissingAndEmptyFiles) {
    TempDir dir;
    ScriptedPrompt prompt;
    int loadingShown = 0;
    const auto count = [&] { ++loadingShown; };

    Categories c = sample();
    EXPECT_EQ(c.LoadCategories(dir.path(QStringLiteral("none")), count),
              Categories::LoadResult::NoFile);
    EXPECT_EQ(c, sample()); // nothing read, nothing changed

    // The empty store is four bytes and needs no "Loading Categories...".
    const QString empty = dir.write(QStringLiteral("empty"), bytesOf({0, 0, 0, 0}));
    EXPECT_EQ(c.LoadCategories(empty, count), Categories::LoadResult::Loaded);
    EXPECT_EQ(c, Categories());
    EXPECT_EQ(loadingShown, 0);

    // Files of four bytes or fewer are never read: whatever they hold, they stand for no
    // categories, and nothing is said at start.
    const QByteArray shortFiles[] = {QByteArray(), bytesOf({0x00, 0x00}),
                                     bytesOf({0x01, 0x00, 0x00, 0x00})};
    for (const QByteArray& bytes : shortFiles) {
        Categories s = sample();
        const QString path = dir.write(QStringLiteral("short"), bytes);
        EXPECT_EQ(s.LoadCategories(path, count), Categories::LoadResult::Loaded)
            << bytes.toHex().toStdString();
        EXPECT_EQ(s, Categories()) << bytes.toHex().toStdString();
    }
    EXPECT_EQ(loadingShown, 0);

    const QString full = dir.write(QStringLiteral("full"), sample().ToBytes());
    EXPECT_EQ(c.LoadCategories(full, count), Categories::LoadResult::Loaded);
    EXPECT_EQ(c, sample());
    EXPECT_EQ(loadingShown, 1);
    EXPECT_TRUE(prompt.shown.empty());
}

// When the file cannot be replaced, the user is told and what was there stays.
TEST(Categories, FailedSaveIsReportedAndKeepsTheOld) {
    TempDir dir;
    ASSERT_TRUE(QDir().mkpath(dir.path(QStringLiteral("Categories"))));
    ScriptedPrompt prompt;
    EXPECT_FALSE(sample().SaveCategories(dir.path(QStringLiteral("Categories"))));
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_TRUE(prompt.shown[0].text.startsWith(
        QStringLiteral("The categories couldn't be saved to ") +
        dir.path(QStringLiteral("Categories")) + QStringLiteral(".\n")));
    EXPECT_TRUE(QFileInfo(dir.path(QStringLiteral("Categories"))).isDir());

    // A file in the way of the folder.
    dir.write(QStringLiteral("plain"), "x");
    EXPECT_FALSE(sample().SaveCategories(dir.path(QStringLiteral("plain/Categories"))));
    EXPECT_EQ(prompt.shown.size(), 2u);
    EXPECT_EQ(dir.read(QStringLiteral("plain")), QByteArray("x"));
}
