#include "app/LabelListFile.h"
#include "contacts/CCSVFile.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

CSortStrArray listOf(std::initializer_list<const char*> texts) {
    CSortStrArray list;
    for (const char* t : texts)
        list.Add(t);
    return list;
}

QByteArray fixture(const char* name) {
    QFile f(QStringLiteral(QM_TEST_DATA_DIR "/labels/") + QLatin1String(name));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << name;
    return f.readAll();
}

LabelPreferences sheet3x7() {
    LabelPreferences p;
    p.geometry = {120, 45, 700, 381, 25, 0, 3, 7};
    p.italic = 1;
    p.bold = 0;
    p.alignment = 4;
    p.maxFontSize = 24;
    p.margin = 6;
    return p;
}

// The trailer as it must be on disk for the default sheet and "Arial".
QByteArray defaultTrailer() {
    return QByteArray::fromHex("8200"  // top margin 130
                               "3200"  // side margin 50
                               "de03"  // label width 990
                               "5401"  // label height 340
                               "1400"  // vertical gutter 20
                               "0000"  // horizontal gutter 0
                               "0200"  // across 2
                               "0800"  // down 8
                               "05") + // face name length
           QByteArray("Arial") +
           QByteArray::fromHex("00000000" // italic
                               "00000000" // bold
                               "02"       // alignment
                               "1e00"     // max font size 30
                               "08");     // margin
}

} // namespace

TEST(LabelListFile, WritesTheTextsEndLineAndTrailerByteForByte) {
    const QByteArray bytes =
        LabelListFile::write(listOf({"Ann Smith\r\n1 High St,\r\nTown,", "", "Bob\tJones"}),
                             LabelPreferences{}, "Arial");
    EXPECT_EQ(bytes,
              QByteArray("Ann Smith\t1 High St,\tTown\nBob\tJones\n|end|\r\n") + defaultTrailer());
    EXPECT_EQ(LabelListFile::write(CSortStrArray{}, LabelPreferences{}, "Arial"),
              QByteArray("|end|\r\n") + defaultTrailer());
}

TEST(LabelListFile, TextsComeBackAsTheFileFormatAllows) {
    struct Case {
        const char* name;
        CSortStrArray in;
        std::vector<std::string> out;
    };
    const Case cases[] = {
        {"trailing comma is lost", listOf({"Ann Smith\r\nTown,"}), {"Ann Smith\r\nTown"}},
        {"only the last comma goes", listOf({"A,\r\nB,"}), {"A,\r\nB"}},
        {"a TAB comes back as a line break", listOf({"Bob\tJones"}), {"Bob\r\nJones"}},
        {"empty labels are not written", listOf({"One", "", "Three"}), {"One", "Three"}},
        {"a trailing line break stays", listOf({"A\r\nB\r\n"}), {"A\r\nB\r\n"}},
        {"empty list", CSortStrArray{}, {}},
        {"UTF-8 text", listOf({"Zoë\r\nGenève"}), {"Zoë\r\nGenève"}},
    };
    for (const Case& c : cases) {
        const QByteArray bytes = LabelListFile::write(c.in, LabelPreferences{}, "Arial");
        CSortStrArray back;
        LabelPreferences prefs;
        std::string face;
        const auto r = LabelListFile::read(bytes, back, prefs, face);
        EXPECT_TRUE(r.ok()) << c.name;
        EXPECT_EQ(back.Strings(), c.out) << c.name;
        EXPECT_EQ(r.labelsRead, static_cast<int>(c.out.size())) << c.name;
    }
}

TEST(LabelListFile, ReadingRestoresTheSheetAndFontAndRewritesIdentically) {
    const LabelPreferences saved = sheet3x7();
    // A face name of 300 bytes takes the three-byte length prefix.
    for (const std::string& face : {std::string("Garamond Prémier"), std::string(300, 'F')}) {
        const CSortStrArray labels = listOf({"Ann\r\nTown", "Bob\r\nCity\r\n", "Zoë"});
        const QByteArray first = LabelListFile::write(labels, saved, face);

        CSortStrArray back;
        LabelPreferences prefs; // defaults, with a label name and colour the file must not touch
        prefs.textColour = 0x00FF0000;
        std::string backFace = "Times New Roman";
        const auto r = LabelListFile::read(first, back, prefs, backFace);
        ASSERT_TRUE(r.ok());
        EXPECT_TRUE(r.marginRead);
        EXPECT_EQ(prefs.geometry, saved.geometry);
        EXPECT_EQ(backFace, face);
        EXPECT_EQ(prefs.italic, 1);
        EXPECT_EQ(prefs.bold, 0);
        EXPECT_EQ(prefs.alignment, 4);
        EXPECT_EQ(prefs.maxFontSize, 24);
        EXPECT_EQ(prefs.margin, 6);
        EXPECT_EQ(prefs.textColour, 0x00FF0000u);
        EXPECT_EQ(LabelListFile::write(back, prefs, backFace), first) << face.size();
    }
}

TEST(LabelListFile, OlderFileWithoutTheMarginByteKeepsTheCurrentMargin) {
    QByteArray bytes = LabelListFile::write(listOf({"Ann"}), sheet3x7(), "Arial");
    bytes.chop(1);
    CSortStrArray back;
    LabelPreferences prefs;
    prefs.margin = 11;
    std::string face;
    const auto r = LabelListFile::read(bytes, back, prefs, face);
    EXPECT_TRUE(r.ok());
    EXPECT_FALSE(r.marginRead);
    EXPECT_EQ(prefs.margin, 11);
    EXPECT_EQ(prefs.geometry, sheet3x7().geometry);
    EXPECT_EQ(back.Strings(), std::vector<std::string>{"Ann"});
}

TEST(LabelListFile, FileCutInsideTheTrailerKeepsLabelsAndSettings) {
    const QByteArray whole = LabelListFile::write(listOf({"Ann", "Bob"}), sheet3x7(), "Arial");
    const qsizetype trailerStart = whole.indexOf("|end|\r\n") + 7;
    // Every cut from the end line up to the last byte before the margin.
    for (qsizetype cut = trailerStart; cut < whole.size() - 1; ++cut) {
        CSortStrArray back;
        LabelPreferences prefs;
        std::string face = "Times New Roman";
        const auto r = LabelListFile::read(whole.left(cut), back, prefs, face);
        EXPECT_FALSE(r.ok()) << cut;
        EXPECT_TRUE(r.endLineFound) << cut;
        EXPECT_EQ(back.Strings(), (std::vector<std::string>{"Ann", "Bob"})) << cut;
        EXPECT_EQ(prefs, LabelPreferences{}) << cut;
        EXPECT_EQ(face, "Times New Roman") << cut;
    }
}

TEST(LabelListFile, FileWithoutEndLineGivesEveryLineAsALabel) {
    CSortStrArray back;
    LabelPreferences prefs;
    std::string face;
    const auto r = LabelListFile::read("Ann\tTown\n\nBob", back, prefs, face);
    EXPECT_FALSE(r.endLineFound);
    EXPECT_FALSE(r.ok());
    EXPECT_EQ(back.Strings(), (std::vector<std::string>{"Ann\r\nTown", "", "Bob"}));
    EXPECT_EQ(prefs, LabelPreferences{});
}

TEST(LabelListFile, MoreLabelsThanAListTakesAreRefusedWhole) {
    // Empty lines are labels too; "Ann" and "Bob" follow them.
    const QByteArray tail = LabelListFile::write(listOf({"Ann", "Bob"}), sheet3x7(), "Arial");
    for (const bool over : {false, true}) {
        const QByteArray data = QByteArray(CCSVFile::kMaxLabels - 2 + (over ? 1 : 0), '\n') + tail;
        CSortStrArray back;
        back.Add("Kept");
        LabelPreferences prefs;
        std::string face = "Times New Roman";
        const auto r = LabelListFile::read(data, back, prefs, face);
        EXPECT_EQ(r.tooManyLabels, over);
        EXPECT_EQ(r.ok(), !over);
        if (over) {
            EXPECT_EQ(r.labelsRead, 0);
            EXPECT_EQ(back.Strings(), std::vector<std::string>{"Kept"});
            EXPECT_EQ(prefs, LabelPreferences{});
            EXPECT_EQ(face, "Times New Roman");
        } else {
            EXPECT_EQ(r.labelsRead, CCSVFile::kMaxLabels);
            EXPECT_EQ(back.GetAt(back.GetSize() - 1), "Bob");
            EXPECT_EQ(prefs, sheet3x7());
        }
    }
}

TEST(LabelListFile, WindowsFileWithWideFaceNameAndCodePageText) {
    CSortStrArray back;
    LabelPreferences prefs;
    std::string face;
    const auto r = LabelListFile::read(fixture("windows-wide-face.lbl"), back, prefs, face);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(back.Strings(), std::vector<std::string>{"Zoë Brown\r\nRue de l'Église 4\r\nGenève"});
    EXPECT_EQ(face, "Garamond Prémier");
    EXPECT_EQ(prefs.geometry, sheet3x7().geometry);
    EXPECT_EQ(prefs.alignment, 4);
    EXPECT_EQ(prefs.maxFontSize, 24);
    EXPECT_EQ(prefs.margin, 6);
    // Written back in the single-byte form.
    const QByteArray again = LabelListFile::write(back, prefs, face);
    EXPECT_TRUE(again.contains(QByteArray("\x11") + QByteArray("Garamond Prémier")));
}

TEST(LabelListFile, GarbageNeverCrashesTheReader) {
    const QByteArray samples[] = {
        QByteArray(),
        QByteArray("|end|"),
        QByteArray("|end|\r\n\xff\xff\xff", 10),
        QByteArray("x|end|y\n") + QByteArray(16, '\0') + QByteArray::fromHex("ffffffffffffff"),
        QByteArray("|end|\n") + QByteArray(16, '\1') + QByteArray::fromHex("fffeff40410042"),
    };
    for (const QByteArray& s : samples) {
        CSortStrArray back;
        LabelPreferences prefs;
        std::string face;
        EXPECT_FALSE(LabelListFile::read(s, back, prefs, face).ok()) << s.toHex().constData();
    }
}

TEST(LabelListFile, LabelHoldingTheEndLineIsFound) {
    EXPECT_EQ(LabelListFile::unstorableLabel(listOf({"Ann", "Bob"})), 0);
    EXPECT_EQ(LabelListFile::unstorableLabel(listOf({"Ann", "Bob", "x|end|y", "|end|"})), 3);
}
