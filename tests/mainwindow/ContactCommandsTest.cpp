#include "mainwindow/ContactCommands.h"
#include "MainWindowHarness.h"
#include "TempDir.h"
#include "contacts/ui/CCategoriesPP.h"
#include "contacts/ui/CEditDetails.h"
#include "labels/ui/CSettingsSheet.h"
#include "mainwindow/ContactsPane.h"
#include "mainwindow/ControlIds.h"
#include "platform/Shell.h"
#include "platform/ui/DialogRunner.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

// Removes the dialog hook and the shell opener when a test ends, whatever happens.
struct Seams {
    QList<QUrl> opened;
    int editors = 0;
    std::vector<QString> editorTexts; // what each editor was opened with
    std::vector<QString> editorTitles;
    std::optional<QString> typed; // the text the user leaves in the editor; nullopt: Cancel

    Seams() {
        Shell::setOpener([this](const QUrl& url) {
            opened << url;
            return true;
        });
        DialogRunner::setHook([this](QDialog& d) {
            auto* editor = qobject_cast<CEditDetails*>(&d);
            if (editor == nullptr)
                return int(QDialog::Rejected);
            ++editors;
            editorTexts.push_back(editor->editor()->toPlainText());
            editorTitles.push_back(editor->windowTitle());
            if (!typed)
                return int(QDialog::Rejected);
            editor->editor()->setPlainText(*typed);
            editor->accept();
            return int(QDialog::Accepted);
        });
    }
    ~Seams() {
        Shell::setOpener({});
        DialogRunner::setHook({});
    }
};

QString caption(CQuillmarkDlg& dlg) {
    return dlg.control<QLabel>(Id::ContactsCaption)->text();
}

QStringList itemTexts(CQuillmarkDlg& dlg) {
    QStringList out;
    auto* list = dlg.control<QListWidget>(Id::ContactsList);
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

QStringList selectedTexts(CQuillmarkDlg& dlg) {
    QStringList out;
    auto* list = dlg.control<QListWidget>(Id::ContactsList);
    for (int i = 0; i < list->count(); ++i) {
        if (list->item(i)->isSelected())
            out << list->item(i)->text();
    }
    return out;
}

void select(CQuillmarkDlg& dlg, std::initializer_list<int> rows) {
    auto* list = dlg.control<QListWidget>(Id::ContactsList);
    list->clearSelection();
    for (int row : rows)
        list->item(row)->setSelected(true);
}

QByteArray card(const char* name, const char* street, const char* town) {
    return QByteArray("BEGIN:VCARD\r\nVERSION:3.0\r\nFN:") + name + "\r\nADR:;;" + street + ";" +
           town + ";;;\r\nEND:VCARD\r\n";
}

void activate(CQuillmarkDlg& dlg) {
    QEvent event(QEvent::WindowActivate);
    QCoreApplication::sendEvent(&dlg, &event);
}

const QByteArray kFileList = "|QMK|\tCreated\twith\tQuillmark\r\n"
                             "Ann Lee\tOne Road\tTown\r\n"
                             "Bob Roe\tTwo Road\tTown\r\n"
                             "Cy Moe\tThree Road\tTown\r\n"
                             "Di Poe\tFour Road\tTown\r\n"
                             "Ed Yoe\tFive Road\tTown\r\n";

} // namespace

TEST(AddressBook, MissingFolderAtStartUpGivesAnEmptyListSilently) {
    MainWindowHarness h;
    CQuillmarkDlg& dlg = h.open();
    EXPECT_EQ(dlg.settings.prefs.contactSource, ContactSource::kWindowsContacts);
    EXPECT_TRUE(h.prompt.shown.empty());
    EXPECT_TRUE(dlg.contactList.contacts.IsEmpty());
    EXPECT_EQ(caption(dlg), QStringLiteral("Address Book: (0 entries)"));
}

// A folder as a phone or sync tool leaves it: several files, several cards in one, a
// subfolder, files of other kinds. Names and accents come through; the folder is read in
// name order, so a contact found twice belongs to the first file.
TEST(AddressBook, FolderOfVCardsAtStartUp) {
    MainWindowHarness h;
    QDir().mkpath(h.addressBookFolder() + QStringLiteral("/work"));
    const auto write = [&h](const QString& name, const QByteArray& bytes) {
        QFile f(h.addressBookFolder() + QLatin1Char('/') + name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    };
    write(QStringLiteral("b.vcf"), card("Zo\xC3\xAB \xC3\x85gren", "Storgatan 1", "Malm\xC3\xB6") +
                                       card("Ann Lee", "1 Road", "Leeds"));
    write(QStringLiteral("a.VCF"), card("Ann Lee", "1 Road", "Leeds"));
    write(QStringLiteral("work/c.vcard"), card("Ren\xE9 Dupr\xE9", "8 rue Haute", "Paris"));
    write(QStringLiteral("notes.txt"), card("Not A Card", "x", "y"));
    CQuillmarkDlg& dlg = h.open();
    EXPECT_TRUE(h.prompt.shown.empty());
    EXPECT_EQ(itemTexts(dlg), (QStringList{QStringLiteral("Ann Lee"), QStringLiteral("Ann Lee"),
                                           QStringLiteral("Ren\u00E9 Dupr\u00E9"),
                                           QStringLiteral("Zo\u00EB \u00C5gren")}));
    EXPECT_EQ(caption(dlg), QStringLiteral("Address Book: (4 entries)"));
    h.shoot(QStringLiteral("address-book"));
    EXPECT_EQ(dlg.contactCommands->AddressBookFileOf("Ann Lee\r\n1 Road\r\nLeeds\r\n"),
              h.addressBookFolder() + QStringLiteral("/a.VCF"));
    EXPECT_EQ(dlg.contactCommands->AddressBookFileOf("Elsewhere\r\n"), h.addressBookFolder());
}

TEST(AddressBook, LoadCommandAsksForAMissingFolderAndRemembersIt) {
    MainWindowHarness h;
    CQuillmarkDlg& dlg = h.open();
    EXPECT_EQ(dlg.command(Id::LoadWindowsContacts)->text().remove(QLatin1Char('&')),
              QStringLiteral("Load Address Book..."));

    // Cancel does nothing.
    dlg.runCommand(Id::LoadWindowsContacts);
    ASSERT_EQ(h.prompt.folderRequests.size(), 1u);
    EXPECT_EQ(h.prompt.folderRequests[0].caption, QStringLiteral("Choose the address book folder"));
    EXPECT_EQ(h.store.values[QStringLiteral("AddressBookFolder")].toString(),
              h.addressBookFolder());

    TempDir chosen;
    chosen.write(QStringLiteral("me.vcf"), card("Pat Doe", "1 Main St", "Springfield"));
    h.prompt.folderWith(chosen.path(QString()));
    dlg.runCommand(Id::LoadWindowsContacts);
    EXPECT_EQ(h.prompt.folderRequests.size(), 2u);
    EXPECT_EQ(h.store.values[QStringLiteral("AddressBookFolder")].toString(),
              chosen.path(QString()));
    EXPECT_EQ(itemTexts(dlg), QStringList{QStringLiteral("Pat Doe")});

    // An existing folder is loaded without asking for it again.
    h.prompt.answer(Prompt::Answer::No); // replace
    dlg.runCommand(Id::LoadWindowsContacts);
    EXPECT_EQ(h.prompt.folderRequests.size(), 2u);
    EXPECT_EQ(
        h.prompt.texts(),
        QStringList{QStringLiteral("Merge Address Book with Contact List (click No to replace)?")});
}

// Edit hands the contact's own file to the user's programs; coming back offers the reload
// once, and Yes reads the changed file.
TEST(AddressBook, EditOpensTheContactsFileAndActivationOffersAReloadOnce) {
    MainWindowHarness h;
    QDir().mkpath(h.addressBookFolder());
    const QString bob = h.addressBookFolder() + QStringLiteral("/bob.vcf");
    const auto write = [](const QString& path, const QByteArray& bytes) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    };
    write(h.addressBookFolder() + QStringLiteral("/ann.vcf"), card("Ann Lee", "1 Road", "Leeds"));
    write(bob, card("Bob Roe", "2 Road", "York"));
    CQuillmarkDlg& dlg = h.open();
    Seams seams;

    EXPECT_FALSE(dlg.isCommandEnabled(Id::EditContact)); // nothing selected
    select(dlg, {1});
    ASSERT_TRUE(dlg.isCommandEnabled(Id::EditContact));
    dlg.runCommand(Id::EditContact);
    EXPECT_EQ(seams.opened, QList<QUrl>{QUrl::fromLocalFile(bob)});
    EXPECT_EQ(seams.editors, 0);
    EXPECT_TRUE(dlg.contactList.reloadPending);

    write(bob, card("Bob Roe", "99 New Street", "York"));
    activate(dlg);
    activate(dlg);
    h.prompt.answer(Prompt::Answer::Yes); // reload
    h.prompt.answer(Prompt::Answer::No);  // and replace
    QCoreApplication::processEvents();
    ASSERT_EQ(h.prompt.shown.size(), 2u);
    EXPECT_EQ(h.prompt.shown[0].text, QStringLiteral("Reload contacts?"));
    EXPECT_EQ(h.prompt.shown[0].caption, QStringLiteral("Quillmark"));
    EXPECT_EQ(h.prompt.shown[0].buttons, Prompt::Buttons::YesNo);
    EXPECT_FALSE(dlg.contactList.reloadPending);
    EXPECT_EQ(dlg.contactList.contacts.GetAt(1), "Bob Roe\r\n99 New Street\r\nYork\r\n");

    // Nothing pending: activation asks nothing.
    activate(dlg);
    QCoreApplication::processEvents();
    EXPECT_EQ(h.prompt.shown.size(), 2u);
}

// A folder chosen with "Change..." on the settings page is stored on OK, and a list from the
// address book is read again from it.
TEST(AddressBook, FolderChangedInSettingsIsReadAtOnce) {
    MainWindowHarness h;
    const auto record = LabelPreferences{}.toBytes(); // stored settings, address book source
    h.store.values[QStringLiteral("Preferences")] = QByteArray(
        reinterpret_cast<const char*>(record.data()), static_cast<qsizetype>(record.size()));
    CQuillmarkDlg& dlg = h.open();
    ASSERT_EQ(dlg.settings.prefs.contactSource, ContactSource::kWindowsContacts);
    TempDir chosen;
    chosen.write(QStringLiteral("pat.vcf"), card("Pat Doe", "1 Main St", "Springfield"));
    h.prompt.folderWith(chosen.path(QString()));
    DialogRunner::setHook([](QDialog& d) {
        auto* sheet = qobject_cast<CSettingsSheet*>(&d);
        if (sheet == nullptr)
            return int(QDialog::Rejected);
        auto* page = sheet->findChild<CCategoriesPP*>();
        static_cast<QPushButton*>(page->control(CCategoriesPP::ChangeAddressBookButton))->click();
        sheet->pressOk();
        return sheet->result();
    });
    dlg.runCommand(Id::Settings);
    DialogRunner::setHook({});
    EXPECT_EQ(h.store.values[QStringLiteral("AddressBookFolder")].toString(),
              chosen.path(QString()));
    EXPECT_EQ(itemTexts(dlg), QStringList{QStringLiteral("Pat Doe")});
    EXPECT_TRUE(h.prompt.shown.empty()); // the list was empty: nothing to merge
}

TEST(AddressBook, AddAndDeleteOpenTheFolder) {
    MainWindowHarness h;
    CQuillmarkDlg& dlg = h.open();
    Seams seams;
    for (int id : {Id::AddNewContact, Id::DeleteContact}) {
        dlg.contactList.reloadPending = false;
        ASSERT_TRUE(dlg.isCommandEnabled(id)) << id; // also with nothing selected
        dlg.runCommand(id);
        EXPECT_TRUE(dlg.contactList.reloadPending) << id;
    }
    const QUrl folder = QUrl::fromLocalFile(h.addressBookFolder());
    EXPECT_EQ(seams.opened, (QList<QUrl>{folder, folder}));
    EXPECT_TRUE(QFileInfo(h.addressBookFolder()).isDir()); // made, so there is one to show
    EXPECT_EQ(seams.editors, 0);

    // "No" leaves the list alone.
    activate(dlg);
    QCoreApplication::processEvents();
    EXPECT_EQ(h.prompt.texts(), QStringList{QStringLiteral("Reload contacts?")});
    EXPECT_FALSE(dlg.contactList.reloadPending);
}

// A hand-off that no program takes says so, as the Website button does, and offers no
// reload; a reload still pending once the list comes from elsewhere asks nothing.
TEST(AddressBook, FailedHandOffIsReportedAndStaleReloadsAreDropped) {
    MainWindowHarness h;
    CQuillmarkDlg& dlg = h.open();
    Seams seams;
    Shell::setOpener([](const QUrl&) { return false; });
    dlg.runCommand(Id::AddNewContact);
    EXPECT_EQ(h.prompt.texts(),
              QStringList{QStringLiteral("Sorry, couldn't open ") + h.addressBookFolder() +
                          QStringLiteral(": no program to open it could be started.")});
    EXPECT_FALSE(dlg.contactList.reloadPending);

    Shell::setOpener([](const QUrl&) { return true; });
    dlg.runCommand(Id::DeleteContact);
    ASSERT_TRUE(dlg.contactList.reloadPending);
    dlg.contactsPane->NewContactList();
    dlg.contactList.contacts.Add("Typed\r\n");
    activate(dlg);
    QCoreApplication::processEvents();
    EXPECT_EQ(h.prompt.texts().size(), 1);
    EXPECT_FALSE(dlg.contactList.reloadPending);
}

TEST(ContactCommands, AvailabilityFollowsSourceAndSelection) {
    struct Case {
        std::uint8_t source;
        std::initializer_list<int> selected;
        bool add, edit, remove;
    };
    const Case cases[] = {
        {ContactSource::kFile, {}, true, false, false},
        {ContactSource::kFile, {0}, true, true, true},
        {ContactSource::kFile, {0, 1}, true, false, true},
        {ContactSource::kWindowsContacts, {}, true, false, true},
        {ContactSource::kWindowsContacts, {0}, true, true, true},
        {ContactSource::kWindowsContacts, {0, 1}, true, false, true},
        {ContactSource::kGoogle, {}, false, false, false},
        {ContactSource::kGoogle, {0}, false, false, false},
    };
    TempDir dir;
    MainWindowHarness h;
    CQuillmarkDlg& dlg = h.open(dir.write(QStringLiteral("p.csv"), kFileList));
    for (const Case& c : cases) {
        dlg.settings.prefs.contactSource = c.source;
        select(dlg, c.selected);
        const int n = static_cast<int>(c.selected.size());
        EXPECT_EQ(dlg.isCommandEnabled(Id::AddNewContact), c.add) << int(c.source) << "/" << n;
        EXPECT_EQ(dlg.isCommandEnabled(Id::EditContact), c.edit) << int(c.source) << "/" << n;
        EXPECT_EQ(dlg.isCommandEnabled(Id::DeleteContact), c.remove) << int(c.source) << "/" << n;
    }
}

TEST(ContactCommands, AddTrimsAppendsALineBreakAndSelectsTheNewContact) {
    TempDir dir;
    MainWindowHarness h;
    CQuillmarkDlg& dlg = h.open(dir.write(QStringLiteral("p.csv"), kFileList));
    Seams seams;

    // Cancel, and OK with nothing but spaces and line breaks, add nothing.
    dlg.runCommand(Id::AddNewContact);
    seams.typed = QStringLiteral("   \n \n  ");
    dlg.runCommand(Id::AddNewContact);
    EXPECT_EQ(seams.editors, 2);
    EXPECT_EQ(seams.editorTitles[0], QStringLiteral("New Contact Details"));
    EXPECT_EQ(seams.editorTexts[0], QString());
    EXPECT_EQ(dlg.contactList.contacts.GetSize(), 5);
    EXPECT_FALSE(dlg.contactList.contactsModified);

    seams.typed = QStringLiteral("  bea cole\n7 New Lane  \n\n");
    dlg.runCommand(Id::AddNewContact);
    EXPECT_TRUE(dlg.contactList.contactsModified);
    EXPECT_EQ(dlg.contactList.contacts.GetSize(), 6);
    EXPECT_EQ(dlg.contactList.contacts.GetAt(1), "bea cole\r\n7 New Lane\r\n");
    EXPECT_EQ(selectedTexts(dlg), QStringList{QStringLiteral("bea cole")});
    EXPECT_EQ(caption(dlg), QStringLiteral("p.csv (6 entries)"));
}

TEST(ContactCommands, EditMarksModifiedEvenUnchangedAndReselects) {
    TempDir dir;
    MainWindowHarness h;
    CQuillmarkDlg& dlg = h.open(dir.write(QStringLiteral("p.csv"), kFileList));
    Seams seams;
    select(dlg, {1});
    dlg.runCommand(Id::EditContact); // Cancel
    EXPECT_FALSE(dlg.contactList.contactsModified);
    ASSERT_EQ(seams.editorTexts.size(), 1u);
    EXPECT_EQ(seams.editorTitles[0], QStringLiteral("Edit Contact Details"));
    EXPECT_EQ(seams.editorTexts[0], QStringLiteral("Bob Roe\nTwo Road\nTown"));

    // OK without a change: modified, and the text now ends with a line break.
    seams.typed = seams.editorTexts[0];
    dlg.runCommand(Id::EditContact);
    EXPECT_TRUE(dlg.contactList.contactsModified);
    EXPECT_EQ(dlg.contactList.contacts.GetAt(1), "Bob Roe\r\nTwo Road\r\nTown\r\n");
    EXPECT_EQ(selectedTexts(dlg), QStringList{QStringLiteral("Bob Roe")});

    // A new first line moves the contact and the selection follows it, case ignored.
    seams.typed = QStringLiteral("ZARA ROE\nTwo Road\nTown");
    dlg.runCommand(Id::EditContact);
    EXPECT_EQ(itemTexts(dlg).last(), QStringLiteral("ZARA ROE"));
    EXPECT_EQ(selectedTexts(dlg), QStringList{QStringLiteral("ZARA ROE")});

    // Emptied: the contact stays, as a line break alone.
    seams.typed = QStringLiteral("  ");
    dlg.runCommand(Id::EditContact);
    EXPECT_EQ(dlg.contactList.contacts.GetSize(), 5);
    EXPECT_EQ(dlg.contactList.contacts.GetAt(0), "\r\n");
}

TEST(ContactCommands, DeleteRemovesTheSelectedAndSelectsByPosition) {
    struct Case {
        std::initializer_list<int> rows;
        QStringList left;
        QString selectedAfter;
    };
    const Case cases[] = {
        // The last three: the new last is selected.
        {{2, 3, 4}, {"Ann Lee", "Bob Roe"}, "Bob Roe"},
        // Spread out: the item now at the last removed position.
        {{0, 2}, {"Bob Roe", "Di Poe", "Ed Yoe"}, "Ed Yoe"},
        {{0, 1, 2, 3, 4}, {}, {}},
    };
    for (const Case& c : cases) {
        TempDir dir;
        MainWindowHarness h;
        CQuillmarkDlg& dlg = h.open(dir.write(QStringLiteral("p.csv"), kFileList));
        select(dlg, c.rows);
        dlg.runCommand(Id::DeleteContact);
        EXPECT_EQ(itemTexts(dlg), c.left);
        EXPECT_EQ(selectedTexts(dlg),
                  c.selectedAfter.isEmpty() ? QStringList() : QStringList{c.selectedAfter});
        EXPECT_TRUE(dlg.contactList.contactsModified);
        EXPECT_TRUE(h.prompt.shown.empty()); // no confirmation
    }
}

TEST(ContactCommands, GoogleListsCannotBeEdited) {
    TempDir dir;
    MainWindowHarness h;
    CQuillmarkDlg& dlg = h.open(dir.write(QStringLiteral("p.csv"), kFileList));
    Seams seams;
    dlg.settings.prefs.contactSource = ContactSource::kGoogle;
    select(dlg, {0});
    for (int id : {Id::AddNewContact, Id::EditContact, Id::DeleteContact})
        dlg.runCommand(id);
    EXPECT_EQ(seams.editors, 0);
    EXPECT_TRUE(seams.opened.isEmpty());
    EXPECT_EQ(dlg.contactList.contacts.GetSize(), 5);
}

// A phone's export opens as a list; edits are saved under a new name, never over it.
TEST(ContactCommands, VCardExportOpensAndSavesUnderANewName) {
    TempDir dir;
    const QByteArray exported =
        card("Ann Lee", "1 Road", "Leeds") + card("Bob Roe", "2 Road", "York");
    const QString vcf = dir.write(QStringLiteral("phone.vcf"), exported);
    MainWindowHarness h;
    CQuillmarkDlg& dlg = h.open();
    h.prompt.openWith(vcf);
    dlg.runCommand(Id::OpenContactList);
    EXPECT_EQ(caption(dlg), QStringLiteral("phone.vcf (2 entries)"));
    EXPECT_EQ(dlg.settings.prefs.contactSource, ContactSource::kFile);

    Seams seams;
    seams.typed = QStringLiteral("Cy Moe\n3 Road");
    dlg.runCommand(Id::AddNewContact);
    ASSERT_TRUE(dlg.isCommandEnabled(Id::SaveContacts));
    h.prompt.saveWith(dir.path(QStringLiteral("phone list.csv")));
    dlg.runCommand(Id::SaveContacts);
    EXPECT_EQ(dir.read(QStringLiteral("phone.vcf")), exported);
    EXPECT_EQ(caption(dlg), QStringLiteral("phone list.csv (3 entries)"));
    EXPECT_FALSE(dlg.contactList.contactsModified);
}
