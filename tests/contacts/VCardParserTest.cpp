#include "contacts/VCardParser.h"

#include "platform/Text.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <random>

namespace {

QByteArray fixture(const std::string& name) {
    QFile f(QStringLiteral(QM_TEST_DATA_DIR "/vcard/") + QString::fromStdString(name));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << name;
    return f.readAll();
}

using Texts = std::vector<std::string>;

} // namespace

TEST(VCardParser, ContactTextsOfFixtures) {
    struct Case {
        const char* fixture;
        bool usStyle;
        Texts contacts;
    };
    const std::vector<Case> cases = {
        // Folded ADR, escaped commas, a property group; the prefix is already in FN.
        {"v30_folded_escaped.vcf",
         false,
         {"Dr. Bea Cole\r\nFlat 2, Rose House\r\n12 Long Lane, East\r\nLeeds\r\nWest "
          "Yorkshire\r\nLS1 1AA\r\nUnited Kingdom\r\n"}},
        // Quoted-printable UTF-8 with a soft break (a 2.1 comma is just a comma), and
        // quoted-printable Windows-1252.
        {"v21_quoted_printable.vcf",
         false,
         {"J\xC3\xBCrgen M\xC3\xBCller\r\nStra\xC3\x9F"
          "e des 17. Juni 10, Hinterhaus\r\nM\xC3\xBCnchen\r\n80331\r\nDeutschland\r\n",
          "Ren\xC3\xA9 Dupr\xC3\xA9\r\n8 rue de l'\xC3\x89glise\r\nParis\r\n75001\r\nFrance\r\n"}},
        // Two street values, each a line; a quoted parameter with a colon; the first ADR.
        {"v40_street_values.vcf",
         false,
         {"Ann Lee\r\nUnit 5\r\n1 Dock Road\r\nCardiff\r\nCF10 4AA\r\nUK\r\n"}},
        // No FN: "given family", and the prefix as the title.
        {"no_formatted_name.vcf", false, {"Mr. John Smith\r\n1 High St\r\nLeeds\r\nLS1 1AA\r\n"}},
        // A title and no name: the title, one space, then the address on the same line.
        {"title_without_name.vcf", false, {"Mrs. 5 Elm Row\r\nBath\r\nBA1 1AA\r\n"}},
        {"us_style.vcf",
         true,
         {"Pat Doe\r\n1 Main St\r\nSpringfield  IL  62704\r\nUSA\r\n",
          "Sam Roe\r\n2 Oak Ave\r\nShelbyville  IL  USA\r\n"}},
        {"us_style.vcf",
         false,
         {"Pat Doe\r\n1 Main St\r\nSpringfield\r\nIL\r\n62704\r\nUSA\r\n",
          "Sam Roe\r\n2 Oak Ave\r\nShelbyville\r\nIL\r\nUSA\r\n"}},
        {"malformed_between.vcf", false, {"First Good\r\n", "Second Good\r\n"}},
        {"windows1252.vcf",
         false,
         {"Ren\xC3\xA9 Dupr\xC3\xA9\r\n12 avenue des Champs-\xC3\x89lys\xC3\xA9"
          "es\r\nParis\r\n75008\r\nFrance\r\n"}},
        {"bom_lowercase.vcf",
         false,
         {"Zo\xC3\xAB \xC3\x85gren\r\nStorgatan 1\r\nMalm\xC3\xB6\r\n211 34\r\nSverige\r\n"}},
        // The assistant's card inside AGENT belongs to the boss's card.
        {"agent_inside.vcf", false, {"Boss Person\r\n1 Main Office\r\nCapital\r\n"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(VCardParser::ContactTexts(fixture(c.fixture), c.usStyle), c.contacts)
            << c.fixture << (c.usStyle ? " (US style)" : "");
}

TEST(VCardParser, HardCasesInline) {
    struct Case {
        const char* what;
        QByteArray data;
        Texts contacts;
    };
    const std::vector<Case> cases = {
        {"escapes in every form",
         "BEGIN:VCARD\nVERSION:3.0\nFN:A\\, B\\; C\\\\D\nADR:;;1 St\\nFlat 2;Town;;;\nEND:VCARD\n",
         {"A, B; C\\D\r\n1 St\r\nFlat 2\r\nTown\r\n"}},
        {"CR line ends and TAB folding",
         "BEGIN:VCARD\rVERSION:3.0\rFN:Long\r\tName\rEND:VCARD\r",
         {"LongName\r\n"}},
        {"no card end at all", "BEGIN:VCARD\nVERSION:3.0\nFN:Lost\n", {}},
        {"a stray quoted-printable = does not swallow the card's end",
         "BEGIN:VCARD\nVERSION:2.1\nFN;QUOTED-PRINTABLE:Ann=\nEND:VCARD\n"
         "BEGIN:VCARD\nFN:Bob\nEND:VCARD\n",
         {"Ann\r\n", "Bob\r\n"}},
        {"a card with nothing of a label is an empty text",
         "BEGIN:VCARD\nVERSION:3.0\nTEL:123\nEND:VCARD\n",
         {""}},
        {"TAB and control characters in values become spaces",
         "BEGIN:VCARD\nFN:Ann\tLee\nADR:;;1\x01St;;;;\nEND:VCARD\n",
         {"Ann Lee\r\n1 St\r\n"}},
        {"base64 text and a 4.0 prefix list",
         "BEGIN:VCARD\nVERSION:4.0\nN:Cole;Bea;;Dr.,Prof.;\n"
         "ADR;ENCODING=b:" +
             QByteArray(";;9 Lane;Hull;;;").toBase64() + "\nEND:VCARD\n",
         {"Dr. Prof. Bea Cole\r\n9 Lane\r\nHull\r\n"}},
        {"a prefix that is only the start of a word is kept",
         "BEGIN:VCARD\nFN:Drew Cole\nN:Cole;Drew;;Dr;\nEND:VCARD\n",
         {"Dr Drew Cole\r\n"}},
        {"components past the seventh are not address parts",
         "BEGIN:VCARD\nFN:Ann\nADR:;;1 St,Flat 2;Town;;;UK;" + QByteArray(100000, ';') +
             QByteArray(100000, ',') + "X\nEND:VCARD\n",
         {"Ann\r\n1 St\r\nFlat 2\r\nTown\r\nUK\r\n"}},
        {"a name whose colon is on a folded line, with long folded lines after it",
         "BEGIN:VCARD\nFN\n :Ann\n " + QByteArray(300, 'x') + "\nEND:VCARD\n",
         {"Ann" + std::string(300, 'x') + "\r\n"}},
        {"UTF-16 with its byte-order mark",
         QByteArray("\xFF\xFE", 2) + QByteArray(reinterpret_cast<const char*>(
                                                    u"BEGIN:VCARD\r\nFN:Zo\u00EB\r\nEND:VCARD\r\n"),
                                                2 * 32),
         {"Zo\xC3\xAB\r\n"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(VCardParser::ContactTexts(c.data, false), c.contacts) << c.what;
}

TEST(VCardParser, SkipsAPhotoOfMegabytesAndReadsWhatFollows) {
    QByteArray data = "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Ann Photo\r\nPHOTO;ENCODING=b;TYPE=JPEG:";
    const QByteArray chunk(74, 'A');
    for (int i = 0; i < 60000; ++i) // about 4.5 MB, folded as writers fold it
        data += chunk + "\r\n ";
    data += "AA==\r\nADR:;;1 After St;Town;;;\r\nEND:VCARD\r\n";
    EXPECT_EQ(VCardParser::ContactTexts(data, false), Texts{"Ann Photo\r\n1 After St\r\nTown\r\n"});
}

TEST(VCardParser, RecognisesVCardData) {
    EXPECT_TRUE(VCardParser::LooksLikeVCard("\xEF\xBB\xBF\r\n\r\nbegin:VCARD\r\n"));
    EXPECT_TRUE(VCardParser::LooksLikeVCard(fixture("windows1252.vcf")));
    EXPECT_FALSE(VCardParser::LooksLikeVCard("|QMK|\tCreated\twith\tQuillmark\r\n"));
    EXPECT_FALSE(VCardParser::LooksLikeVCard("Name,Street\r\nBEGIN:VCARD\r\n"));
    EXPECT_FALSE(VCardParser::LooksLikeVCard(""));
}

// Damaged files: every fixture cut short and with bytes overwritten by the characters that
// steer the reader. Nothing crashes, and every text is valid UTF-8 without TABs, whatever
// the bytes were.
TEST(VCardParser, DamagedFilesGiveCleanTexts) {
    const QStringList names =
        QDir(QStringLiteral(QM_TEST_DATA_DIR "/vcard")).entryList({QStringLiteral("*.vcf")});
    ASSERT_FALSE(names.isEmpty());
    const char steering[] = {';',  ':', ',',  '\\', '=',    '"',    '.', '\r',
                             '\n', ' ', '\t', '\0', '\xC3', '\xFF', 'B', 'E'};
    std::mt19937 rng(10);
    for (const QString& name : names) {
        const QByteArray original = fixture(name.toStdString());
        for (int round = 0; round < 300; ++round) {
            QByteArray data = original.left(static_cast<qsizetype>(rng() % (original.size() + 1)));
            for (int k = 0; k < 4 && !data.isEmpty(); ++k)
                data[static_cast<qsizetype>(rng() % data.size())] =
                    steering[rng() % sizeof(steering)];
            for (const std::string& text : VCardParser::ContactTexts(data, round % 2 == 0)) {
                EXPECT_TRUE(Text::isValidUtf8(text)) << name.toStdString() << " " << round;
                EXPECT_EQ(text.find('\t'), std::string::npos) << name.toStdString() << " " << round;
            }
        }
    }
}

TEST(VCardParser, StopsOneCardAfterTheLimit) {
    const QByteArray card = "BEGIN:VCARD\r\nFN:Ann Lee\r\nEND:VCARD\r\n";
    for (const int count : {2, 3, 5}) {
        const QByteArray data = card.repeated(count);
        EXPECT_EQ(VCardParser::ContactTexts(data, false, 2).size(),
                  static_cast<std::size_t>(std::min(count, 3)))
            << count;
    }
    // The default limit takes any address book.
    EXPECT_EQ(VCardParser::Parse(card.repeated(5)).size(), 5u);
}
