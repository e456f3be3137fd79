#include "contacts/CCSVFile.h"
#include "contacts/ContactText.h"
#include "contacts/DelimitedImporter.h"

#include "ScriptedPrompt.h"
#include "TempDir.h"

#include <QFile>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>

namespace {

QString fixture(const char* name) {
    return QStringLiteral(QM_TEST_DATA_DIR "/contacts/") + QString::fromUtf8(name);
}

QByteArray fixtureBytes(const char* name) {
    QFile f(fixture(name));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << name;
    return f.readAll();
}

std::vector<std::string> readOwnFormat(const char* name, bool usStyle) {
    CCSVFile file(fixtureBytes(name), fixture(name), usStyle);
    EXPECT_EQ(file.DetectFormat(), CCSVFile::OwnFormat) << name;
    CSortStrArray list;
    (void)file.ReadContacts(list);
    return list.Strings();
}

const QString kNotStandard = QStringLiteral(" doesn't appear to be a standard .csv address file\n");

} // namespace

TEST(CCSVFile, ReadsOwnFormatRecords) {
    struct Case {
        const char* fixture;
        bool usStyle;
        std::vector<std::string> contacts;
    };
    const std::vector<Case> cases = {
        // Quotes are dropped; an odd one makes the TABs after it part of the text.
        {"quotes.csv",
         false,
         {"Ann Quoted Lee\r\nStreet", "Bob Odd\tStreet\tTown", "Next\r\nLine"}},
        // Every field is a line, however many there are.
        {"ten_fields.csv", false, {"L1\r\nL2\r\nL3\r\nL4\r\nL5\r\nL6\r\nL7\r\nL8\r\nL9\r\nL10"}},
        {"empty_fields.csv", false, {"A\r\nB"}},
        {"no_final_line_end.csv", false, {"Ann\r\nStreet", "Bob\r\nRoad"}},
        {"ends_in_quote.csv", false, {"Ann\r\nLee"}},
        {"marker_after_text.csv", false, {"Ann\r\nStreet"}},
        {"us_style.csv",
         true,
         {"A\r\nB\r\nC", "N\r\nTown  IL  62704", "Name\r\nStreet\r\nSpringfield  IL  62704"}},
        {"us_style.csv",
         false,
         {"A\r\nB\r\nC", "N\r\nTown\r\nIL\r\n62704",
          "Name\r\nStreet\r\nSpringfield\r\nIL\r\n62704"}},
        {"windows1252.csv", false, {"Ren\xC3\xA9 Dupr\xC3\xA9\r\nParis"}},
    };
    for (const auto& c : cases) {
        ScriptedPrompt prompt;
        EXPECT_EQ(readOwnFormat(c.fixture, c.usStyle), c.contacts) << c.fixture;
        EXPECT_TRUE(prompt.shown.empty()) << c.fixture;
    }
}

TEST(CCSVFile, DetectsForeignFiles) {
    struct Case {
        const char* fixture;
        CCSVFile::Format format;
        char delimiter;
        int fieldCount;
        std::uint32_t presence;
        QString message;
    };
    const std::vector<Case> cases = {
        // The leading comma counts as a delimiter.
        {"leading_comma.csv", CCSVFile::Foreign, ',', 4, 0x2, {}},
        // Colon has priority over semicolon; the count is of the chosen delimiter.
        {"colon_semicolon.csv", CCSVFile::Foreign, ':', 2, 0x18, {}},
        {"empty.csv", CCSVFile::NotUsable, 0, 0, 0,
         QStringLiteral("The file empty.csv") + kNotStandard +
             QStringLiteral("(Couldn't be read).")},
        {"no_delimiter.csv", CCSVFile::NotUsable, 0, 1, 0,
         QStringLiteral("The file no_delimiter.csv") + kNotStandard +
             QStringLiteral(
                 "(couldn't find a single tab, comma, pipe, colon or semicolon in any row).")},
    };
    for (const auto& c : cases) {
        ScriptedPrompt prompt;
        CCSVFile file(fixtureBytes(c.fixture), fixture(c.fixture), false);
        EXPECT_EQ(file.DetectFormat(), c.format) << c.fixture;
        EXPECT_EQ(file.delimiter(), c.delimiter) << c.fixture;
        if (c.format == CCSVFile::Foreign) {
            EXPECT_EQ(file.fieldCount(), c.fieldCount) << c.fixture;
            EXPECT_EQ(file.presenceMask(), c.presence) << c.fixture;
        }
        EXPECT_EQ(prompt.texts(), c.message.isEmpty() ? QStringList() : QStringList{c.message})
            << c.fixture;
    }
}

TEST(CCSVFile, DetectionOfWideFilesAndTheFieldLimit) {
    {
        // UTF-16 with its byte-order mark is decoded before the scan.
        const char16_t text[] = u"\xFEFFName\tStreet\tTown\nAnn\tRoad\n";
        QByteArray data(reinterpret_cast<const char*>(text), sizeof(text) - 2);
        ScriptedPrompt prompt;
        CCSVFile file(data, QStringLiteral("/x/wide.txt"), false);
        EXPECT_EQ(file.DetectFormat(), CCSVFile::Foreign);
        EXPECT_EQ(file.encoding(), Text::Encoding::Utf16LE);
        EXPECT_EQ(file.delimiter(), '\t');
        EXPECT_EQ(file.fieldCount(), 3);
    }
    {
        // A line of 301 fields stops the scan; its count and later lines are not used.
        QByteArray data = "a|b,c\r\n";
        data += QByteArray(300, ',') + "\r\n";
        data += "1,2,3,4,5\r\n";
        ScriptedPrompt prompt;
        CCSVFile file(data, QStringLiteral("big.csv"), false);
        EXPECT_EQ(file.DetectFormat(), CCSVFile::Foreign);
        EXPECT_EQ(file.delimiter(), ',');
        EXPECT_EQ(file.presenceMask(), 0x6u);
        EXPECT_EQ(file.fieldCount(), 2);
        EXPECT_EQ(prompt.texts(), QStringList{QStringLiteral("Maximum number of fields loaded")});
    }
}

TEST(CCSVFile, FiveThousandLimitCountsTheWholeList) {
    QByteArray data = CCSVFile::kHeaderLine;
    for (int i = 0; i < 5; ++i)
        data += "New " + QByteArray::number(i) + "\tRoad\r\n";
    struct Case {
        int already;
        int appended;
        int messages;
    };
    // Merging into 4,998 contacts takes two; a list that reaches 5,000 with the file's last
    // contact still gets the message; 4,990 takes all five without one.
    for (const Case c : {Case{4998, 2, 1}, Case{4995, 5, 1}, Case{4990, 5, 0}}) {
        CSortStrArray list;
        for (int i = 0; i < c.already; ++i)
            list.Add("Old");
        ScriptedPrompt prompt;
        CCSVFile file(data, QStringLiteral("a.csv"), false);
        EXPECT_EQ(file.ReadContacts(list), c.appended) << c.already;
        EXPECT_EQ(list.GetSize(), c.already + c.appended);
        EXPECT_EQ(prompt.shown.size(), static_cast<std::size_t>(c.messages)) << c.already;
        if (c.messages) {
            // Said once more when the file holds contacts that were left unread.
            bool inPart = true;
            CSortStrArray again;
            for (int i = 0; i < c.already; ++i)
                again.Add("Old");
            (void)file.ReadContacts(again, &inPart);
            EXPECT_EQ(inPart, c.appended < 5);
            EXPECT_EQ(prompt.shown[0].text,
                      inPart ? QStringLiteral("Maximum of 5,000 addresses loaded\n\nThe file holds "
                                              "more, so Save Contacts asks for a new name instead "
                                              "of writing over it.")
                             : QStringLiteral("Maximum of 5,000 addresses loaded"));
        }
    }
}

TEST(CCSVFile, WriteReadWriteIsByteIdentical) {
    CSortStrArray list;
    for (const char* t :
         {"Ann Lee\r\n1 Road\r\nTown\r\n", "Ren\xC3\xA9\r\nParis", "Solo", "  Padded \r\n Line  "})
        list.Add(t);
    const QByteArray first = CCSVFile::WriteContacts(list);
    EXPECT_EQ(first, QByteArray("|QMK|\tCreated\twith\tQuillmark\r\n"
                                "Ann Lee\t1 Road\tTown\r\n"
                                "Ren\xC3\xA9\tParis\r\n"
                                "Solo\r\n"
                                "Padded \t Line\r\n"));

    TempDir dir;
    const QString path = dir.path(QStringLiteral("list.csv"));
    ScriptedPrompt prompt;
    ASSERT_TRUE(SaveContactFile(path, list));
    EXPECT_EQ(dir.read(QStringLiteral("list.csv")), first);

    QString name = path;
    CSortStrArray back;
    bool imported = true;
    ASSERT_TRUE(ReadContactFile(name, back, false, nullptr, imported));
    EXPECT_FALSE(imported);
    EXPECT_EQ(CCSVFile::WriteContacts(back), first);
    EXPECT_TRUE(prompt.shown.empty());
}

TEST(CCSVFile, QuotedTabsSurviveSavingAndReopening) {
    // Ten TABs inside quotes are one field; saved unquoted they would come back as eleven
    // fields, and those past the eighth would be lost.
    const QByteArray file = "|QMK|\r\n\"1\t2\t3\t4\t5\t6\t7\t8\t9\t10\t11\"\tStreet\tTown\r\n";
    CSortStrArray read;
    ASSERT_EQ(CCSVFile(file, QStringLiteral("q.csv"), false).ReadContacts(read), 1);
    EXPECT_EQ(read.GetAt(0), "1\t2\t3\t4\t5\t6\t7\t8\t9\t10\t11\r\nStreet\r\nTown");

    const QByteArray saved = CCSVFile::WriteContacts(read);
    EXPECT_EQ(saved, QByteArray("|QMK|\tCreated\twith\tQuillmark\r\n"
                                "\"1\t2\t3\t4\t5\t6\t7\t8\t9\t10\t11\"\tStreet\tTown\r\n"));
    CSortStrArray back;
    ASSERT_EQ(CCSVFile(saved, QStringLiteral("q.csv"), false).ReadContacts(back), 1);
    EXPECT_EQ(back.Strings(), read.Strings());
}

// Quotes and long contacts come back from a saved file as they were (so a contact keeps the
// display text its categories are kept under).
TEST(CCSVFile, QuotesAndEveryLineSurviveSavingAndReopening) {
    struct Case {
        std::string contact;
        QByteArray line; // as written
    };
    const std::vector<Case> cases = {
        {"Anna \"Nan\" Brandt\r\nHauptstr. 1\r\n", "\"Anna \"\"Nan\"\" Brandt\"\tHauptstr. 1"},
        {"\"Quoted\"\r\nRoad", "\"\"\"Quoted\"\"\"\tRoad"},
        {"One \" quote\r\nRoad\r\nTown", "\"One \"\" quote\"\tRoad\tTown"},
        {"Tab\tand \"quote\"\r\nRoad", "\"Tab\tand \"\"quote\"\"\"\tRoad"},
        {"\"\r\nA", "\"\"\"\"\tA"},
        {"L1\r\nL2\r\nL3\r\nL4\r\nL5\r\nL6\r\nL7\r\nL8\r\nL9\r\nL10\r\nL11\r\n",
         "L1\tL2\tL3\tL4\tL5\tL6\tL7\tL8\tL9\tL10\tL11"},
    };
    for (const auto& c : cases) {
        CSortStrArray list;
        list.Add(c.contact);
        const QByteArray saved = CCSVFile::WriteContacts(list);
        EXPECT_EQ(saved, QByteArray(CCSVFile::kHeaderLine) + c.line + "\r\n") << c.contact;
        CSortStrArray back;
        ScriptedPrompt prompt;
        ASSERT_EQ(CCSVFile(saved, QStringLiteral("q.csv"), false).ReadContacts(back), 1);
        EXPECT_EQ(back.GetAt(0), std::string(ContactText::trimRight(c.contact))) << c.contact;
        EXPECT_EQ(CCSVFile::WriteContacts(back), saved);
    }
}

TEST(CCSVFile, FailedSaveLeavesTheOldFile) {
    TempDir dir;
    const QByteArray old = "|QMK|\tCreated\twith\tQuillmark\r\nOld\tContact\r\n";
    const QString path = dir.write(QStringLiteral("list.csv"), old);
    CSortStrArray list;
    for (int i = 0; i < 200; ++i)
        list.Add("A rather long contact line\r\nWith an address");

    // A file size limit makes the write fail part way, as a full disk would.
    ScriptedPrompt prompt;
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = 1000;
    setrlimit(RLIMIT_FSIZE, &small);
    const bool saved_ok = SaveContactFile(path, list);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);

    EXPECT_FALSE(saved_ok);
    EXPECT_EQ(dir.read(QStringLiteral("list.csv")), old);
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_TRUE(prompt.shown[0].text.startsWith(
        QStringLiteral("The contact list couldn't be saved to ") + path))
        << prompt.shown[0].text.toStdString();

    // A folder that does not exist.
    ScriptedPrompt prompt2;
    EXPECT_FALSE(SaveContactFile(dir.path(QStringLiteral("missing/list.csv")), list));
    EXPECT_EQ(prompt2.shown.size(), 1u);
}

TEST(CCSVFile, ReadContactFileResults) {
    struct Importer : DelimitedImporter {
        std::optional<std::vector<std::string>> result;
        int calls = 0;
        char delimiter = 0;
        std::optional<std::vector<std::string>> ImportContacts(const CCSVFile& f) override {
            ++calls;
            delimiter = f.delimiter();
            return result;
        }
    };
    {
        // A foreign file with nobody to import it is not loaded, silently here.
        ScriptedPrompt prompt;
        QString name = fixture("leading_comma.csv");
        CSortStrArray list;
        bool imported = false;
        EXPECT_FALSE(ReadContactFile(name, list, false, nullptr, imported));
        EXPECT_TRUE(list.IsEmpty());
        EXPECT_TRUE(prompt.shown.empty());
    }
    {
        ScriptedPrompt prompt;
        Importer importer;
        importer.result = std::vector<std::string>{"Ann\r\nRoad\r\n"};
        QString name = fixture("leading_comma.csv");
        CSortStrArray list;
        list.Add("Old");
        bool imported = false;
        EXPECT_TRUE(ReadContactFile(name, list, false, &importer, imported));
        EXPECT_TRUE(imported);
        EXPECT_EQ(importer.delimiter, ',');
        EXPECT_EQ(list.Strings(), (std::vector<std::string>{"Old", "Ann\r\nRoad\r\n"}));
    }
    {
        ScriptedPrompt prompt;
        Importer cancelled;
        QString name = fixture("leading_comma.csv");
        CSortStrArray list;
        bool imported = false;
        EXPECT_FALSE(ReadContactFile(name, list, false, &cancelled, imported));
        EXPECT_EQ(cancelled.calls, 1);
        EXPECT_FALSE(imported);
    }
    {
        // The name is emptied when the file cannot be opened.
        ScriptedPrompt prompt;
        const QString missing = fixture("does_not_exist.csv");
        QString name = missing;
        CSortStrArray list;
        bool imported = false;
        EXPECT_FALSE(ReadContactFile(name, list, false, nullptr, imported));
        EXPECT_TRUE(name.isEmpty());
        EXPECT_EQ(prompt.texts(), QStringList{QStringLiteral("Can't open file: ") + missing});
    }
}

TEST(CCSVFile, LabelTextSection) {
    CSortStrArray labels;
    for (const char* t : {"Ann Lee\r\n1 Road,", "", "Tab\there", "Ren\xC3\xA9"})
        labels.Add(t);
    const QByteArray written = CCSVFile::WriteLabelTexts(labels);
    EXPECT_EQ(written, QByteArray("Ann Lee\t1 Road\nTab\there\nRen\xC3\xA9\n|end|\r\n"));

    CSortStrArray back;
    const auto r = CCSVFile::ReadLabelTexts(written + "TRAILER", back);
    EXPECT_TRUE(r.endLineFound);
    EXPECT_EQ(r.trailerOffset, written.size());
    EXPECT_EQ(back.Strings(),
              (std::vector<std::string>{"Ann Lee\r\n1 Road", "Tab\r\nhere", "Ren\xC3\xA9"}));

    // Empty lines are empty labels, a CR before the LF stays, Windows-1252 is converted, and
    // without the end line every line is a label.
    CSortStrArray old;
    const auto r2 = CCSVFile::ReadLabelTexts("A\r\n\nCaf\xE9\tB", old);
    EXPECT_FALSE(r2.endLineFound);
    EXPECT_EQ(old.Strings(), (std::vector<std::string>{"A\r", "", "Caf\xC3\xA9\r\nB"}));

    EXPECT_EQ(CCSVFile::WriteLabelTexts(CSortStrArray()), QByteArray("|end|\r\n"));
}

TEST(CCSVFile, AFileOverAGigabyteIsRefusedBeforeReading) {
    TempDir dir;
    const QString path = dir.path(QStringLiteral("huge.csv"));
    {
        // Sparse: no disk space is used.
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_TRUE(f.resize(CCSVFile::kMaxFileBytes + 1));
    }
    ScriptedPrompt prompt;
    QString name = path;
    CSortStrArray list;
    bool imported = false;
    EXPECT_FALSE(ReadContactFile(name, list, false, nullptr, imported));
    EXPECT_EQ(prompt.texts(),
              QStringList{QStringLiteral("The file huge.csv is too large to be a contact list "
                                         "(over 1 GB).")});
}
