#include "app/LabelInput.h"
#include "app/LabelListFile.h"

#include "TempDir.h"

#include <gtest/gtest.h>

namespace {

QByteArray labelListTail() {
    CSortStrArray labels;
    labels.Add("Ann");
    return LabelListFile::write(labels, LabelPreferences{}, "Arial");
}

} // namespace

TEST(LabelInput, FilesOfMoreRecordsThanAJobTakesAreRefusedWithAMessage) {
    struct Case {
        const char* name;
        QByteArray bytes;
        const char* message; // after the path
    };
    // Empty rows, labels and cards cost memory of their own however small the file is; the
    // cheapest file of each kind just over its limit.
    const Case cases[] = {
        {"rows.csv", "a,b\n" + QByteArray(1000000, '\n'),
         " has more than 1,000,000 rows: too many to import."},
        {"labels.txt", QByteArray("a\n\n").repeated(1000001),
         " holds more than 1,000,000 labels: too many to print."},
        {"labels.lbl", QByteArray(1000001, '\n') + labelListTail(),
         " holds more than 1,000,000 labels: too many to print."},
        {"cards.vcf", QByteArray("BEGIN:VCARD\nEND:VCARD\n").repeated(1000001),
         " holds more than 1,000,000 vCards: too many to read."},
    };
    TempDir dir;
    for (const Case& c : cases) {
        const QString path = dir.write(QString::fromLatin1(c.name), c.bytes);
        const LabelInput::Result r = LabelInput::readFile(path);
        EXPECT_EQ(r.error, path + QLatin1String(c.message)) << c.name;
        EXPECT_TRUE(r.labels.empty()) << c.name;
    }
    // At the limit a file is read.
    const QString atLimit =
        dir.write(QStringLiteral("limit.txt"), QByteArray("a\n\n").repeated(1000000));
    const LabelInput::Result r = LabelInput::readFile(atLimit);
    EXPECT_TRUE(r.ok()) << r.error.toStdString();
    EXPECT_EQ(r.labels.size(), LabelInput::kMaxLabels);
}

namespace {

QString importFixture(const char* name) {
    return QStringLiteral(QM_TEST_DATA_DIR "/contacts/import/") + QLatin1String(name);
}

LabelInput::ImportChoices given(std::vector<int> columns, int skipRows) {
    LabelInput::ImportChoices c;
    c.columns = std::move(columns);
    c.skipRows = skipRows;
    c.given = true;
    return c;
}

} // namespace

// Plain text is decoded as the window decodes contact files: UTF-16 of either byte order,
// with or without its mark, gives the letters and no "ÿþ" or zero characters.
TEST(LabelInput, PlainTextInEveryEncodingTheWindowReads) {
    const QString text = QStringLiteral("J\u00FCrgen M\u00FCller\r\nK\u00F6ln\r\n\r\nZo\u00EB\r\n");
    const std::vector<std::string> labels = {"J\xC3\xBCrgen M\xC3\xBCller\r\nK\xC3\xB6ln",
                                             "Zo\xC3\xAB"};
    const auto utf16 = [&](bool big) {
        QByteArray out;
        for (const QChar c : text) {
            const char hi = static_cast<char>(c.unicode() >> 8);
            const char lo = static_cast<char>(c.unicode() & 0xFF);
            out.append(big ? hi : lo).append(big ? lo : hi);
        }
        return out;
    };
    const std::vector<QByteArray> files = {
        text.toUtf8(),
        "\xEF\xBB\xBF" + text.toUtf8(),
        "\xFF\xFE" + utf16(false),
        "\xFE\xFF" + utf16(true),
        utf16(false),
        text.toLatin1(),
    };
    for (const QByteArray& bytes : files) {
        const LabelInput::Result r = LabelInput::readPlainText(bytes);
        EXPECT_TRUE(r.ok());
        EXPECT_EQ(r.labels, labels) << bytes.left(8).toHex().toStdString();
    }
}

// Excel's "Unicode Text" is a TAB-separated .txt in UTF-16: given the delimited-file options
// it is read as a delimited file; options for an input that is no such file are an error.
TEST(LabelInput, DelimitedFileOptionsMakeATextFileDelimitedAndRefuseOtherInputs) {
    const LabelInput::Result r =
        LabelInput::readFile(importFixture("unicode_text.txt"), given({1, 3}, 1));
    ASSERT_TRUE(r.ok()) << r.error.toStdString();
    EXPECT_EQ(r.labels, (std::vector<std::string>{"J\xC3\xBCrgen M\xC3\xBCller\r\nK\xC3\xB6ln\r\n",
                                                  "Zo\xC3\xAB Lee\r\nCaf\xC3\xA9 Row\r\n"}));

    TempDir dir;
    CSortStrArray one;
    one.Add("Ann");
    const struct {
        QString path;
        const char* kind;
    } refused[] = {
        {dir.write(QStringLiteral("list.lbl"),
                   LabelListFile::write(one, LabelPreferences{}, "Arial")),
         "a label list file"},
        {dir.write(QStringLiteral("cards.vcf"), "BEGIN:VCARD\r\nFN:Ann\r\nEND:VCARD\r\n"),
         "a vCard file"},
        {dir.write(QStringLiteral("own.txt"), "|QMK|\tCreated\twith\tQuillmark\r\nAnn\tRoad\r\n"),
         "a Quillmark contact list"},
    };
    for (const auto& c : refused) {
        const LabelInput::Result bad = LabelInput::readFile(c.path, given({}, 0));
        EXPECT_TRUE(bad.badOptions) << c.kind;
        EXPECT_EQ(bad.error, QStringLiteral("--columns, --skip-rows and --delimiter apply to "
                                            "delimited files only, and ") +
                                 c.path + QStringLiteral(" is ") + QLatin1String(c.kind) +
                                 QStringLiteral("."));
        EXPECT_TRUE(bad.labels.empty());
        // Without the options each reads as ever.
        EXPECT_TRUE(LabelInput::readFile(c.path).ok()) << c.kind;
    }
}
