#include "app/Settings.h"
#include "MemorySettingsStore.h"
#include "app/CommandLine.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QByteArray bytesOf(const LabelPreferences& p) {
    const auto b = p.toBytes();
    return QByteArray(reinterpret_cast<const char*>(b.data()), static_cast<qsizetype>(b.size()));
}

} // namespace

TEST(Settings, DefaultRecordBytes) {
    Settings s;
    s.fontName = QStringLiteral("x");
    SetDefaultSettings(s);
    const QByteArray expected =
        QByteArray::fromHex("82003200de0354011400000002000800" // geometry
                            "08001e003a010000" // reserved 8, max size 30, version 314, fill
                            "00000000"
                            "00000000"
                            "00000000" // italic, bold, reserved
                            "00000000" // reserved byte and fill
                            "01000000" // home addresses
                            "01020000" // first label 1, alignment 2, fill
                            "00000000" // reserved
                            "08000000" // margin 8 and fill
                            "00000000"
                            "00000000"   // US style, sort by last name
                            "02000000"   // contact source 2 and fill
                            "00000000"); // text colour
    ASSERT_EQ(expected.size(), 72);
    EXPECT_EQ(bytesOf(s.prefs).toHex(), expected.toHex());
    EXPECT_EQ(s.fontName, QStringLiteral("Times New Roman"));
    EXPECT_EQ(s.labelName, QStringLiteral("Default 2X8 label"));
}

TEST(Settings, RecordRoundTripsEveryField) {
    LabelPreferences p;
    p.geometry.labelsDown = 0x1234;
    p.maxFontSize = 44;
    p.italic = 1;
    p.bold = -2;
    p.reserved32 = 0x01020304;
    p.reserved36 = 9;
    p.homeAddresses = 0;
    p.firstLabel = 200;
    p.alignment = 5;
    p.reserved48 = 77;
    p.margin = 50;
    p.usStyle = 1;
    p.sortByLastName = 1;
    p.contactSource = 4;
    p.textColour = 0x00FF8040;
    LabelPreferences q;
    const auto b = p.toBytes();
    q.overlay(b.data(), b.size());
    EXPECT_EQ(p, q);
    EXPECT_EQ(b[68], 0x40);
    EXPECT_EQ(b[70], 0xFF);
}

TEST(Settings, ShortAndLongStoredRecords) {
    Settings defaults;
    SetDefaultSettings(defaults);

    // An older, shorter record fills only the leading bytes.
    LabelPreferences stored;
    stored.geometry.labelsAcross = 3;
    stored.maxFontSize = 12;
    stored.margin = 20; // beyond the 40 bytes kept below
    MemorySettingsStore store;
    store.values[QStringLiteral("Preferences")] = bytesOf(stored).left(40);
    Settings scratch = defaults;
    QString list;
    ASSERT_TRUE(LoadSettings(store, scratch, list));
    EXPECT_EQ(scratch.prefs.geometry.labelsAcross, 3);
    EXPECT_EQ(scratch.prefs.maxFontSize, 12);
    EXPECT_EQ(scratch.prefs.margin, 8);

    // A longer one gives its first 72 bytes.
    store.values[QStringLiteral("Preferences")] = bytesOf(stored) + QByteArray(10, '\x7f');
    scratch = defaults;
    ASSERT_TRUE(LoadSettings(store, scratch, list));
    EXPECT_EQ(scratch.prefs, stored);
}

TEST(Settings, FirstRunAndLaterRun) {
    MemorySettingsStore store;
    Settings scratch;
    SetDefaultSettings(scratch);
    QString list;
    store.values[QStringLiteral("FontName")] = QStringLiteral("Arial");
    EXPECT_FALSE(LoadSettings(store, scratch, list));
    EXPECT_EQ(scratch.fontName, QStringLiteral("Times New Roman")); // nothing else read
    EXPECT_EQ(scratch.labelName, QStringLiteral("Default 2X8 label"));

    store.values[QStringLiteral("Preferences")] = bytesOf(LabelPreferences{});
    store.values[QStringLiteral("DefaultList")] = QStringLiteral("/home/u/list.csv");
    ASSERT_TRUE(LoadSettings(store, scratch, list));
    EXPECT_EQ(scratch.fontName, QStringLiteral("Arial"));
    EXPECT_EQ(scratch.labelName, QStringLiteral("Default 2x8 label"));
    EXPECT_EQ(list, QStringLiteral("/home/u/list.csv"));

    QString fromCommandLine = QStringLiteral("/tmp/other.CSV");
    ASSERT_TRUE(LoadSettings(store, scratch, fromCommandLine));
    EXPECT_EQ(fromCommandLine, QStringLiteral("/tmp/other.CSV"));
}

TEST(Settings, UpgradeRules) {
    struct Case {
        std::uint16_t version;
        std::uint32_t colour;
        std::int32_t usStyle, sortByLast;
        std::uint8_t source, margin;
    } cases[] = {
        {314, 0xABCDEF, 1, 1, 4, 12}, {300, 0xABCDEF, 1, 1, 4, 12}, {299, 0, 1, 1, 4, 12},
        {220, 0, 1, 1, 4, 12},        {219, 0, 0, 0, 2, 12},        {180, 0, 0, 0, 2, 12},
        {179, 0, 0, 0, 2, 5},         {150, 0, 0, 0, 2, 5},
    };
    for (const Case& c : cases) {
        LabelPreferences p;
        p.settingsVersion = c.version;
        p.textColour = 0xABCDEF;
        p.usStyle = 1;
        p.sortByLastName = 1;
        p.contactSource = 4;
        p.margin = 12;
        ApplyUpgradeRules(p);
        EXPECT_EQ(p.textColour, c.colour) << c.version;
        EXPECT_EQ(p.usStyle, c.usStyle) << c.version;
        EXPECT_EQ(p.sortByLastName, c.sortByLast) << c.version;
        EXPECT_EQ(p.contactSource, c.source) << c.version;
        EXPECT_EQ(p.margin, c.margin) << c.version;
    }
}

TEST(Settings, SaveWritesRecordAndStrings) {
    MemorySettingsStore store;
    Settings s;
    SetDefaultSettings(s);
    s.prefs.firstLabel = 7;
    SaveSettings(store, s, QString());
    EXPECT_EQ(store.values[QStringLiteral("Preferences")].toByteArray(), bytesOf(s.prefs));
    EXPECT_EQ(store.values[QStringLiteral("FontName")].toString(), s.fontName);
    EXPECT_EQ(store.values[QStringLiteral("LabelName")].toString(), s.labelName);
    EXPECT_TRUE(store.values.contains(QStringLiteral("DefaultList")));
    EXPECT_EQ(store.values[QStringLiteral("DefaultList")].toString(), QString());
}

TEST(Settings, QSettingsStoreKeepsBytesAndIsPrivate) {
    QtSettingsStore store;
    const QByteArray raw("\x00\x01\xff\x80 binary", 11);
    store.writeBinary(QStringLiteral("Preferences"), raw);
    store.writeString(QStringLiteral("FontName"), QStringLiteral("Liberation Serif"));
    EXPECT_EQ(store.readBinary(QStringLiteral("Preferences")), raw);
    EXPECT_EQ(store.readString(QStringLiteral("FontName"), QString()),
              QStringLiteral("Liberation Serif"));
    EXPECT_EQ(store.readString(QStringLiteral("Missing"), QStringLiteral("d")),
              QStringLiteral("d"));
    const QString file =
        qEnvironmentVariable("XDG_CONFIG_HOME") + QStringLiteral("/Brambleworks/Quillmark.conf");
    ASSERT_TRUE(QFile::exists(file));
    EXPECT_EQ(QFile::permissions(file) & (QFile::ReadGroup | QFile::ReadOther), 0);
}

TEST(CommandLine, EndingsAreComparedCaseSensitively) {
    struct Case {
        QStringList args;
        QString contacts;
        QString labels;
    } cases[] = {
        {{QStringLiteral("list.CSV")}, QStringLiteral("list.CSV"), {}},
        {{QStringLiteral("list.csv")}, QStringLiteral("list.csv"), {}},
        {{QStringLiteral("/a/b.tsv")}, QStringLiteral("/a/b.tsv"), {}},
        {{QStringLiteral("b.TSV")}, QStringLiteral("b.TSV"), {}},
        {{QStringLiteral("list.Csv")}, {}, {}},
        {{QStringLiteral("x.lbl")}, {}, QStringLiteral("x.lbl")},
        {{QStringLiteral("x.LBL")}, {}, {}},
        {{QStringLiteral("lbl")}, {}, {}},
        {{QStringLiteral("a.txt")}, {}, {}},
        {{QStringLiteral("a.csv"), QStringLiteral("b.lbl")}, {}, {}},
        {{}, {}, {}},
    };
    const auto absolute = [](const QString& name) {
        return name.isEmpty() ? name : QDir::cleanPath(QDir::current().absoluteFilePath(name));
    };
    for (const Case& c : cases) {
        const StartFiles f = ParseCommandLine(c.args);
        EXPECT_EQ(f.contactFileName, absolute(c.contacts)) << c.args.join(' ').toStdString();
        EXPECT_EQ(f.labelFileName, absolute(c.labels)) << c.args.join(' ').toStdString();
    }
}

// A relative name is kept as the default list, so it must name the same file from any
// folder the next start begins in.
TEST(CommandLine, RelativeNamesAreTakenFromTheWorkingFolder) {
    struct Case {
        QString arg;
        QString contacts;
        QString labels;
    } cases[] = {
        {QStringLiteral("docs/friends.csv"), QStringLiteral("/home/ann/docs/friends.csv"), {}},
        {QStringLiteral("../bob/list.tsv"), QStringLiteral("/home/bob/list.tsv"), {}},
        {QStringLiteral("./sheet.lbl"), {}, QStringLiteral("/home/ann/sheet.lbl")},
        {QStringLiteral("/srv/a.csv"), QStringLiteral("/srv/a.csv"), {}},
    };
    for (const Case& c : cases) {
        const StartFiles f = ParseCommandLine({c.arg}, QStringLiteral("/home/ann"));
        EXPECT_EQ(f.contactFileName, c.contacts) << c.arg.toStdString();
        EXPECT_EQ(f.labelFileName, c.labels) << c.arg.toStdString();
    }
}
