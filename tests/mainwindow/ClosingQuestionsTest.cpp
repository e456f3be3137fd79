#include "MainWindowHarness.h"
#include "TempDir.h"
#include "mainwindow/ControlIds.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace {

enum class Way { Escape, Quit, EnterInFirstLabelBox, CloseBox };

const Way kWays[] = {Way::Escape, Way::Quit, Way::EnterInFirstLabelBox, Way::CloseBox};

const char* name(Way w) {
    switch (w) {
    case Way::Escape:
        return "Escape";
    case Way::Quit:
        return "Quit";
    case Way::EnterInFirstLabelBox:
        return "Enter";
    case Way::CloseBox:
        return "close box";
    }
    return "";
}

void closeBy(CQuillmarkDlg& dlg, Way way) {
    switch (way) {
    case Way::Escape:
        dlg.control(Id::ContactsList)->setFocus();
        QTest::keyClick(dlg.control(Id::ContactsList), Qt::Key_Escape);
        break;
    case Way::Quit:
        dlg.runCommand(Id::Quit);
        break;
    case Way::EnterInFirstLabelBox:
        dlg.control(Id::FirstLabelBox)->setFocus();
        QTest::keyClick(dlg.control(Id::FirstLabelBox), Qt::Key_Return);
        break;
    case Way::CloseBox:
        dlg.close();
        break;
    }
}

// Types a label as a user does: Add, then the text in the editor.
void typeLabel(CQuillmarkDlg& dlg, const QString& text) {
    dlg.runCommand(Id::AddNewLabel);
    QTest::keyClicks(dlg.control(Id::LabelEditor), text);
}

void addUnsavedContact(CQuillmarkDlg& dlg) {
    dlg.settings.prefs.contactSource = ContactSource::kFile;
    dlg.contactList.contacts.Add("Ann Lee\r\n1 Road\r\nTown");
    dlg.contactList.contactsModified = true;
}

const QString kLabelsQuestion = QStringLiteral("Save changes to unsaved labels?");
const QString kContactsQuestion = QStringLiteral("Save changes to unsaved list?");

} // namespace

// Every way of closing asks about typed labels; Cancel, or Yes with the save dialog
// cancelled, keeps the window open with nothing written.
TEST(ClosingQuestions, UnsavedLabelsAreAskedAboutHoweverTheWindowCloses) {
    struct Case {
        const char* what;
        std::vector<Prompt::Answer> answers;
        bool saveDialogGivesFile; // the save dialog is cancelled otherwise
        bool closes;
        bool fileWritten;
    };
    const Case cases[] = {
        {"No discards", {Prompt::Answer::No}, false, true, false},
        {"Cancel stays", {Prompt::Answer::Cancel}, false, false, false},
        {"Yes, save cancelled, stays", {Prompt::Answer::Yes}, false, false, false},
        {"Yes saves and closes", {Prompt::Answer::Yes}, true, true, true},
    };
    for (Way way : kWays) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(name(way)) + ": " + c.what);
            TempDir dir;
            const QString file = dir.path(QStringLiteral("typed.lbl"));
            MainWindowHarness h;
            CQuillmarkDlg& dlg = h.open();
            dlg.show();
            typeLabel(dlg, QStringLiteral("Ann Lee"));
            for (Prompt::Answer a : c.answers)
                h.prompt.answer(a);
            if (c.saveDialogGivesFile)
                h.prompt.saveWith(file);
            closeBy(dlg, way);
            ASSERT_FALSE(h.prompt.shown.empty());
            EXPECT_EQ(h.prompt.shown[0].text, kLabelsQuestion);
            EXPECT_EQ(h.prompt.shown[0].caption, QStringLiteral("Save Labels"));
            EXPECT_EQ(h.prompt.shown[0].buttons, Prompt::Buttons::YesNoCancel);
            EXPECT_EQ(h.prompt.shown[0].icon, Prompt::Icon::Warning);
            EXPECT_EQ(dlg.isVisible(), !c.closes);
            EXPECT_EQ(h.store.values.contains(QStringLiteral("Preferences")), c.closes);
            EXPECT_EQ(QFileInfo::exists(file), c.fileWritten);
            if (c.fileWritten) {
                EXPECT_TRUE(dir.read(QStringLiteral("typed.lbl")).startsWith("Ann Lee"));
            }
        }
    }
}

// The contact question comes first; a contact list that was not saved after Yes keeps the
// window open (the labels are then not asked about).
TEST(ClosingQuestions, ContactsFirstThenLabels) {
    struct Case {
        const char* what;
        std::vector<Prompt::Answer> answers;
        QStringList asked;
        bool closes;
    };
    const Case cases[] = {
        {"No, No",
         {Prompt::Answer::No, Prompt::Answer::No},
         {kContactsQuestion, kLabelsQuestion},
         true},
        {"contacts Cancel", {Prompt::Answer::Cancel}, {kContactsQuestion}, false},
        {"contacts Yes, save cancelled", {Prompt::Answer::Yes}, {kContactsQuestion}, false},
        {"No, labels Cancel",
         {Prompt::Answer::No, Prompt::Answer::Cancel},
         {kContactsQuestion, kLabelsQuestion},
         false},
    };
    for (Way way : kWays) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(name(way)) + ": " + c.what);
            MainWindowHarness h;
            CQuillmarkDlg& dlg = h.open();
            dlg.show();
            addUnsavedContact(dlg);
            typeLabel(dlg, QStringLiteral("Ann Lee"));
            for (Prompt::Answer a : c.answers)
                h.prompt.answer(a);
            closeBy(dlg, way);
            EXPECT_EQ(h.prompt.texts(), c.asked);
            EXPECT_EQ(dlg.isVisible(), !c.closes);
        }
    }
}

// A contact list saved after Yes closes the window, and the saved file holds the contacts.
TEST(ClosingQuestions, ContactsSavedOnYesThenCloses) {
    TempDir dir;
    const QString file = dir.path(QStringLiteral("friends.csv"));
    MainWindowHarness h;
    CQuillmarkDlg& dlg = h.open();
    dlg.show();
    addUnsavedContact(dlg);
    h.prompt.answer(Prompt::Answer::Yes);
    h.prompt.saveWith(file);
    dlg.close();
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_TRUE(dir.read(QStringLiteral("friends.csv")).contains("Ann Lee\t1 Road\tTown"));
}

// Contacts from another source are not asked about, whatever way closes the window.
TEST(ClosingQuestions, OtherSourcesAndSavedListsCloseAtOnce) {
    for (Way way : kWays) {
        SCOPED_TRACE(name(way));
        MainWindowHarness h;
        CQuillmarkDlg& dlg = h.open();
        dlg.show();
        dlg.contactList.contacts.Add("Ann Lee\r\n1 Road\r\nTown");
        dlg.contactList.contactsModified = true;
        dlg.settings.prefs.contactSource = ContactSource::kWindowsContacts;
        closeBy(dlg, way);
        EXPECT_TRUE(h.prompt.shown.empty());
        EXPECT_FALSE(dlg.isVisible());
    }
}
