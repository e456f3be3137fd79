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
