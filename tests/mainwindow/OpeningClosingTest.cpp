#include "Fifo.h"
#include "MainWindowHarness.h"
#include "TempDir.h"
#include "controls/UpDownControl.h"
#include "mainwindow/ControlIds.h"

#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace {

QByteArray record(const LabelPreferences& p) {
    const auto b = p.toBytes();
    return QByteArray(reinterpret_cast<const char*>(b.data()), static_cast<qsizetype>(b.size()));
}

} // namespace

TEST(Opening, FirstRunTakesDefaultsAndMarksDimensionsUndefined) {
    MainWindowHarness h;
    CQuillmarkDlg& dlg = h.open();
    EXPECT_EQ(dlg.dimensionsUndefined, 1);
    EXPECT_EQ(dlg.settings.labelName, QStringLiteral("Default 2X8 label"));
    EXPECT_EQ(dlg.settings.fontName, QStringLiteral("Times New Roman"));
    EXPECT_EQ(dlg.settings.prefs.contactSource, ContactSource::kWindowsContacts);
    EXPECT_EQ(dlg.control<QLineEdit>(Id::FirstLabelBox)->text(), QStringLiteral("1"));
    EXPECT_EQ(dlg.control<QLabel>(Id::ContactsCaption)->text(),
              QStringLiteral("Address Book: (0 entries)"));
}

TEST(Opening, LaterRunUpgradesAnOldRecordAndOpensTheDefaultList) {
    TempDir dir;
    const QString list = dir.write(QStringLiteral("friends.csv"),
                                   "|QMK|\tCreated\twith\tQuillmark\r\nAnn Lee\t1 Road\tTown\r\n");
    MainWindowHarness h;
    LabelPreferences old;
    old.settingsVersion = 200;
    old.textColour = 0x123456;
    old.usStyle = 1;
    old.contactSource = ContactSource::kGoogle;
    h.store.values[QStringLiteral("Preferences")] = record(old);
    h.store.values[QStringLiteral("DefaultList")] = list;
    CQuillmarkDlg& dlg = h.open();
    EXPECT_EQ(dlg.dimensionsUndefined, 0);
    EXPECT_EQ(dlg.settings.labelName, QStringLiteral("Default 2x8 label"));
    EXPECT_EQ(dlg.settings.prefs.textColour, 0u);
    EXPECT_EQ(dlg.settings.prefs.usStyle, 0);
    EXPECT_EQ(dlg.settings.prefs.contactSource, ContactSource::kFile);
    EXPECT_EQ(dlg.settings.prefs.settingsVersion, 314);
    EXPECT_EQ(dlg.control<QLabel>(Id::ContactsCaption)->text(),
              QStringLiteral("friends.csv (1 entries)"));
}

// A remembered default list, a file named on the command line or one chosen with Open that
// is a named pipe gives its message at once; the window never waits for a writer.
TEST(Opening, PipesGiveTheirMessageAtOnce) {
    TempDir dir;
    const QString fifo = makeFifo(dir.path(QStringLiteral("pipe.csv")));
    const QString labels = makeFifo(dir.path(QStringLiteral("pipe.lbl")));
    ASSERT_FALSE(fifo.isEmpty());
    HangGuard guard;
    const QString cantOpen = QStringLiteral("Can't open file: ") + fifo;
    {
        MainWindowHarness h;
        LabelPreferences prefs;
        prefs.settingsVersion = 314;
        prefs.contactSource = ContactSource::kFile;
        h.store.values[QStringLiteral("Preferences")] = record(prefs);
        h.store.values[QStringLiteral("DefaultList")] = fifo;
        CQuillmarkDlg& dlg = h.open();
        EXPECT_EQ(h.prompt.texts(), QStringList{cantOpen});
        EXPECT_TRUE(dlg.contactList.contactFileName.isEmpty());
    }
    {
        MainWindowHarness h;
        CQuillmarkDlg& dlg = h.open(fifo, labels);
        EXPECT_EQ(h.prompt.texts(),
                  (QStringList{cantOpen, QStringLiteral("Can't open file: ") + labels}));
        EXPECT_TRUE(dlg.labelFileName.isEmpty());
    }
    {
        MainWindowHarness h;
        CQuillmarkDlg& dlg = h.open();
        h.prompt.openWith(fifo);
        dlg.runCommand(Id::OpenContactList);
        EXPECT_EQ(h.prompt.texts(), QStringList{cantOpen});
        EXPECT_TRUE(dlg.contactList.contacts.IsEmpty());
    }
}

TEST(Closing, WritesTheRecordWithCurrentVersionAndFirstLabelFromTheSpin) {
    MainWindowHarness h;
    LabelPreferences old;
    old.settingsVersion = 150;
    h.store.values[QStringLiteral("Preferences")] = record(old);
    CQuillmarkDlg& dlg = h.open();
    dlg.control<QLineEdit>(Id::FirstLabelBox)->setText(QStringLiteral("7"));
    dlg.runCommand(Id::Quit);
    EXPECT_TRUE(h.prompt.shown.empty());
    LabelPreferences saved;
    const QByteArray bytes = h.store.values[QStringLiteral("Preferences")].toByteArray();
    ASSERT_EQ(bytes.size(), 72);
    saved.overlay(reinterpret_cast<const std::uint8_t*>(bytes.constData()), 72);
    EXPECT_EQ(saved.settingsVersion, 314);
    EXPECT_EQ(saved.firstLabel, 7);
    EXPECT_EQ(saved.margin, 5); // the upgrade of a version 150 record
    EXPECT_EQ(h.store.values[QStringLiteral("DefaultList")].toString(), QString());
}

TEST(Closing, QuitWithAnEmptyFirstLabelBoxStaysOpen) {
    MainWindowHarness h;
    CQuillmarkDlg& dlg = h.open();
    dlg.show();
    dlg.control<QLineEdit>(Id::FirstLabelBox)->clear();
    dlg.runCommand(Id::Quit);
    ASSERT_EQ(h.prompt.texts(), QStringList{QStringLiteral("Enter an integer.")});
    EXPECT_EQ(h.prompt.shown[0].caption, QStringLiteral("Quillmark"));
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_FALSE(h.store.values.contains(QStringLiteral("Preferences")));
}

// Escape asks about an unsaved contact list as the close box does, then closes and saves.
TEST(Closing, EscapeAsksAboutUnsavedContactsAndStillSaves) {
    MainWindowHarness h;
    CQuillmarkDlg& dlg = h.open();
    dlg.contactList.contactsModified = true;
    dlg.contactList.contacts.Add("Ann Lee\r\n1 Road\r\nTown");
    dlg.settings.prefs.contactSource = ContactSource::kFile;
    h.prompt.answer(Prompt::Answer::No);
    dlg.reject();
    EXPECT_EQ(h.prompt.texts(), QStringList{QStringLiteral("Save changes to unsaved list?")});
    EXPECT_TRUE(h.store.values.contains(QStringLiteral("Preferences")));
}

// Enter acts as "Quit" unless the focused control takes it: the label editor makes a new line
// (also while it is read-only), a hover button clicks itself.
TEST(Closing, EnterQuitsFromControlsThatDoNotUseIt) {
    struct Case {
        int focus;
        QString box;
        bool closes;
        QStringList messages;
    };
    const Case cases[] = {
        {Id::FirstLabelBox, QStringLiteral("3"), true, {}},
        {Id::ContactsList, QStringLiteral("3"), true, {}},
        {Id::HideIfNoAddress, QStringLiteral("3"), true, {}},
        {Id::FirstLabelBox, QString(), false, {QStringLiteral("Enter an integer.")}},
        {Id::LabelEditor, QStringLiteral("3"), false, {}},
        {Id::AddButton, QStringLiteral("3"), false, {}},
    };
    for (const Case& c : cases) {
        MainWindowHarness h;
        CQuillmarkDlg& dlg = h.open();
        dlg.show();
        dlg.control<QLineEdit>(Id::FirstLabelBox)->setText(c.box);
        QWidget* target = dlg.control(c.focus);
        target->setFocus();
        QTest::keyClick(target, Qt::Key_Return);
        EXPECT_EQ(!dlg.isVisible(), c.closes) << c.focus;
        EXPECT_EQ(h.prompt.texts(), c.messages) << c.focus;
        EXPECT_EQ(h.store.values.contains(QStringLiteral("Preferences")), c.closes) << c.focus;
        if (c.closes) {
            const QByteArray bytes = h.store.values[QStringLiteral("Preferences")].toByteArray();
            ASSERT_EQ(bytes.size(), 72);
            EXPECT_EQ(static_cast<std::uint8_t>(bytes[PrefOffset::kFirstLabel]), 3) << c.focus;
        }
    }
}

TEST(FirstLabelBox, TakesDigitsOnly) {
    MainWindowHarness h;
    CQuillmarkDlg& dlg = h.open();
    auto* box = dlg.control<QLineEdit>(Id::FirstLabelBox);
    box->clear();
    QTest::keyClicks(box, QStringLiteral("1a-2 x"));
    EXPECT_EQ(box->text(), QStringLiteral("12"));
}
