#include "contacts/ContactList.h"
#include "contacts/CCSVFile.h"
#include "contacts/ContactFileReader.h"
#include "contacts/ContactReader.h"
#include "contacts/DelimitedImporter.h"
#include "labels/LabelPreferences.h"

#include "Fifo.h"
#include "ScriptedPrompt.h"
#include "TempDir.h"

#include <gtest/gtest.h>

namespace {

const QByteArray kFile = "|QMK|\tCreated\twith\tQuillmark\r\nNew One\tRoad\r\nNew Two\r\n";

// A source that fails or succeeds as told, for the kinds read elsewhere.
struct FixedReader : ContactReader {
    bool ok = false;
    std::vector<std::string> contacts;
    Result Read(QString&, CSortStrArray& list, bool) override {
        for (const auto& c : contacts)
            list.Add(c);
        return {ok, false};
    }
};

struct Fixture {
    LabelPreferences prefs;
    ContactList list{prefs};
    TempDir dir;
    QString path = dir.write(QStringLiteral("new.csv"), kFile);

    void fillOld() {
        list.contacts.Add("Old Contact");
        list.contactFileName = QStringLiteral("/old/list.csv");
        list.contactsModified = true;
        prefs.contactSource = ContactSource::kFile;
    }
};

} // namespace

TEST(ContactList, LoadIntoEmptyListAsksNothingAndReplaces) {
    Fixture f;
    f.list.contactsModified = true;
    f.list.sortContactsByLastName = 1;
    f.prefs.contactSource = ContactSource::kGoogle;
    ScriptedPrompt prompt;
    QString name = f.path;
    EXPECT_TRUE(f.list.LoadContacts(ContactSource::kFile, name));
    EXPECT_TRUE(prompt.shown.empty());
    EXPECT_EQ(f.list.contacts.Strings(), (std::vector<std::string>{"New One\r\nRoad", "New Two"}));
    EXPECT_EQ(f.list.contacts.LastNameFlag(), 1);
    EXPECT_EQ(f.list.contactFileName, f.path);
    EXPECT_EQ(f.prefs.contactSource, ContactSource::kFile);
    EXPECT_FALSE(f.list.contactsModified);
}

TEST(ContactList, MergeQuestionAnswers) {
    struct Case {
        Prompt::Answer answer;
        bool result;
        std::vector<std::string> contacts;
        bool modified;
        QString fileName;
    };
    Fixture probe;
    const std::vector<Case> cases = {
        {Prompt::Answer::Yes,
         true,
         {"Old Contact", "New One\r\nRoad", "New Two"},
         true,
         probe.path},
        {Prompt::Answer::No, true, {"New One\r\nRoad", "New Two"}, false, probe.path},
        {Prompt::Answer::Cancel, false, {"Old Contact"}, true, QStringLiteral("/old/list.csv")},
    };
    for (const auto& c : cases) {
        Fixture f;
        f.path = probe.path;
        f.fillOld();
        f.prefs.contactSource = ContactSource::kGoogle;
        ScriptedPrompt prompt;
        prompt.answer(c.answer);
        QString name = f.path;
        EXPECT_EQ(f.list.LoadContacts(ContactSource::kFile, name), c.result);
        ASSERT_EQ(prompt.shown.size(), 1u);
        EXPECT_EQ(prompt.shown[0].text,
                  QStringLiteral("Merge ") + f.path +
                      QStringLiteral(" with Contact List (click No to replace)?"));
        EXPECT_EQ(prompt.shown[0].caption, f.path);
        EXPECT_EQ(prompt.shown[0].buttons, Prompt::Buttons::YesNoCancel);
        EXPECT_EQ(prompt.shown[0].icon, Prompt::Icon::Question);
        EXPECT_EQ(f.list.contacts.Strings(), c.contacts);
        EXPECT_EQ(f.list.contactsModified, c.modified);
        EXPECT_EQ(f.list.contactFileName, c.fileName);
        EXPECT_EQ(f.prefs.contactSource, c.result ? ContactSource::kFile : ContactSource::kGoogle);
    }
}

TEST(ContactList, FailedSourceRestoresTheList) {
    {
        // A file that is not usable: the reader's message, then "Didn't load contacts.".
        Fixture f;
        f.fillOld();
        const QString bad = f.dir.write(QStringLiteral("bad.txt"), "no delimiters at all\r\n");
        ScriptedPrompt prompt;
        prompt.answer(Prompt::Answer::No);
        QString name = bad;
        EXPECT_FALSE(f.list.LoadContacts(ContactSource::kFile, name));
        EXPECT_EQ(f.list.contacts.Strings(), std::vector<std::string>{"Old Contact"});
        EXPECT_EQ(f.list.contactFileName, QStringLiteral("/old/list.csv"));
        EXPECT_TRUE(f.list.contactsModified);
        ASSERT_EQ(prompt.shown.size(), 3u);
        EXPECT_TRUE(prompt.shown[1].text.startsWith(QStringLiteral("The file bad.txt")));
        EXPECT_EQ(prompt.shown[2].text, QStringLiteral("Didn't load contacts."));
        EXPECT_EQ(prompt.shown[2].caption, kAppCaption);
    }
    {
        // A file that cannot be opened: only the reader's message, and the name is emptied.
        Fixture f;
        f.fillOld();
        ScriptedPrompt prompt;
        prompt.answer(Prompt::Answer::Yes);
        const QString missing = f.dir.path(QStringLiteral("missing.csv"));
        QString name = missing;
        EXPECT_FALSE(f.list.LoadContacts(ContactSource::kFile, name));
        EXPECT_TRUE(name.isEmpty());
        EXPECT_EQ(f.list.contacts.Strings(), std::vector<std::string>{"Old Contact"});
        EXPECT_EQ(prompt.texts().mid(1),
                  QStringList{QStringLiteral("Can't open file: ") + missing});
    }
    {
        // A foreign file while no import dialog is installed.
        Fixture f;
        const QString foreign = f.dir.write(QStringLiteral("f.csv"), "a,b\r\n");
        ScriptedPrompt prompt;
        QString name = foreign;
        EXPECT_FALSE(f.list.LoadContacts(ContactSource::kFile, name));
        EXPECT_EQ(prompt.texts(), QStringList{QStringLiteral("Didn't load contacts.")});
    }
    {
        // A failing source without a file name: restored, no message of LoadContacts.
        Fixture f;
        f.fillOld();
        auto reader = std::make_unique<FixedReader>();
        reader->contacts = {"Half read"};
        f.list.SetReader(ContactSource::kGoogle, std::move(reader));
        ScriptedPrompt prompt;
        prompt.answer(Prompt::Answer::Yes);
        QString name;
        EXPECT_FALSE(f.list.LoadContacts(ContactSource::kGoogle, name));
        EXPECT_EQ(f.list.contacts.Strings(), std::vector<std::string>{"Old Contact"});
        ASSERT_EQ(prompt.shown.size(), 1u);
        EXPECT_EQ(prompt.shown[0].caption, QStringLiteral("Google Contacts"));
        EXPECT_EQ(f.prefs.contactSource, ContactSource::kFile);
    }
}

TEST(ContactList, SourcesWithoutReaderAndOtherSources) {
    Fixture f;
    f.fillOld();
    ScriptedPrompt prompt;
    QString name;
    EXPECT_FALSE(f.list.LoadContacts(ContactSource::kWindowsContacts, name));
    EXPECT_TRUE(prompt.shown.empty());
    EXPECT_EQ(f.list.contacts.Strings(), std::vector<std::string>{"Old Contact"});

    // A successful non-file source clears the file name and, replacing, the modified flag.
    auto reader = std::make_unique<FixedReader>();
    reader->ok = true;
    reader->contacts = {"From folder\r\n"};
    f.list.SetReader(ContactSource::kWindowsContacts, std::move(reader));
    prompt.answer(Prompt::Answer::No);
    EXPECT_TRUE(f.list.LoadContacts(ContactSource::kWindowsContacts, name));
    EXPECT_EQ(prompt.shown.back().text,
              QStringLiteral("Merge Address Book with Contact List (click No to replace)?"));
    EXPECT_EQ(f.list.contacts.Strings(), std::vector<std::string>{"From folder\r\n"});
    EXPECT_TRUE(f.list.contactFileName.isEmpty());
    EXPECT_FALSE(f.list.contactsModified);
    EXPECT_EQ(f.prefs.contactSource, ContactSource::kWindowsContacts);
}

TEST(ContactList, SaveContactsAs) {
    Fixture f;
    f.list.NewContactList();
    EXPECT_TRUE(f.list.contactsModified);
    f.list.contacts.Add("Ann\r\nRoad\r\n");
    f.prefs.contactSource = ContactSource::kGoogle;

    ScriptedPrompt prompt;
    // Cancelled: nothing changes.
    EXPECT_EQ(f.list.SaveContactsAs(), ContactList::SaveAsResult::Cancelled);
    EXPECT_TRUE(f.list.contactsModified);

    const QString target = f.dir.path(QStringLiteral("saved.csv"));
    prompt.saveWith(target);
    EXPECT_TRUE(f.list.SaveContacts()); // no file name yet: asks
    ASSERT_EQ(prompt.fileRequests.size(), 2u);
    EXPECT_EQ(prompt.fileRequests[1].filter, QStringLiteral("CSV Files (*.csv)|*.csv||"));
    EXPECT_EQ(prompt.fileRequests[1].defaultExtension, QStringLiteral("csv"));
    EXPECT_EQ(f.list.contactFileName, target);
    EXPECT_FALSE(f.list.contactsModified);
    EXPECT_EQ(f.prefs.contactSource, ContactSource::kFile);
    EXPECT_EQ(f.dir.read(QStringLiteral("saved.csv")),
              QByteArray("|QMK|\tCreated\twith\tQuillmark\r\nAnn\tRoad\r\n"));

    // A failed save keeps the flag, the source and the name of the file the list is in, so
    // that neither the caption nor the next start name a file that was never written.
    f.list.contactsModified = true;
    f.prefs.contactSource = ContactSource::kGoogle;
    const QString bad = f.dir.path(QStringLiteral("no/such/folder.csv"));
    prompt.saveWith(bad);
    EXPECT_EQ(f.list.SaveContactsAs(), ContactList::SaveAsResult::Failed);
    EXPECT_EQ(f.list.contactFileName, target);
    EXPECT_TRUE(f.list.contactsModified);
    EXPECT_EQ(f.prefs.contactSource, ContactSource::kGoogle);
    EXPECT_EQ(prompt.shown.size(), 1u);

    // The same for a list that was never saved: it stays unnamed.
    Fixture unsaved;
    unsaved.list.NewContactList();
    unsaved.list.contacts.Add("Bo\r\n");
    prompt.saveWith(bad);
    EXPECT_EQ(unsaved.list.SaveContactsAs(), ContactList::SaveAsResult::Failed);
    EXPECT_TRUE(unsaved.list.contactFileName.isEmpty());
    EXPECT_TRUE(unsaved.list.contactsModified);
}

TEST(ContactList, ReloadPendingIsHeldOffDuringTheQuestion) {
    struct Watcher : ScriptedPrompt {
        const ContactList* list = nullptr;
        std::vector<bool> pendingSeen;
        Answer message(const QString& text, const QString& caption, Buttons buttons,
                       Icon icon) override {
            pendingSeen.push_back(list->reloadPending);
            return ScriptedPrompt::message(text, caption, buttons, icon);
        }
    };
    Fixture f;
    f.fillOld();
    f.list.reloadPending = true;
    Watcher prompt;
    prompt.list = &f.list;
    QString name = f.path;
    EXPECT_FALSE(f.list.LoadContacts(ContactSource::kFile, name)); // Cancel
    EXPECT_EQ(prompt.pendingSeen, std::vector<bool>{false});
    EXPECT_TRUE(f.list.reloadPending);
}

// A vCard export opened as a contact list is read card by card and never written: saving
// asks for a new name and refuses vCard files, by ending or by content.
TEST(ContactList, VCardExportIsReadAndNeverSavedOver) {
    Fixture f;
    const QByteArray exported = "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Ann Lee\r\n"
                                "ADR:;;1 Road;Town;;;\r\nEND:VCARD\r\n"
                                "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Bob Roe\r\nEND:VCARD\r\n";
    const QString vcf = f.dir.write(QStringLiteral("phone.vcf"), exported);
    // Content decides, so a vCard file under another ending is recognised too.
    const QString disguised = f.dir.write(QStringLiteral("cards.txt"), exported);
    ScriptedPrompt prompt;
    QString name = vcf;
    ASSERT_TRUE(f.list.LoadContacts(ContactSource::kFile, name));
    EXPECT_EQ(f.list.contacts.Strings(),
              (std::vector<std::string>{"Ann Lee\r\n1 Road\r\nTown\r\n", "Bob Roe\r\n"}));
    EXPECT_EQ(f.list.contactFileName, vcf);
    EXPECT_EQ(f.list.keepFile, ContactList::KeepFile::VCardExport);
    EXPECT_FALSE(f.list.contactsModified);
    EXPECT_EQ(f.prefs.contactSource, ContactSource::kFile);

    f.list.contacts.Add("Cy\r\n");
    f.list.contactsModified = true;
    prompt.saveWith(vcf);
    prompt.saveWith(disguised);
    prompt.saveWith(f.dir.path(QStringLiteral("phone.csv")));
    EXPECT_TRUE(f.list.SaveContacts());
    ASSERT_EQ(prompt.fileRequests.size(), 3u);
    EXPECT_EQ(prompt.fileRequests[0].initialName, QStringLiteral("phone.csv"));
    EXPECT_EQ(prompt.texts(),
              (QStringList{QStringLiteral("phone.vcf is a vCard file. Contact lists are saved in "
                                          "Quillmark's own format, so please choose another "
                                          "name to keep the vCard file as it is."),
                           QStringLiteral("cards.txt is a vCard file. Contact lists are saved in "
                                          "Quillmark's own format, so please choose another "
                                          "name to keep the vCard file as it is.")}));
    EXPECT_EQ(f.dir.read(QStringLiteral("phone.vcf")), exported);
    EXPECT_EQ(f.dir.read(QStringLiteral("cards.txt")), exported);
    EXPECT_EQ(f.list.contactFileName, f.dir.path(QStringLiteral("phone.csv")));
    EXPECT_EQ(f.list.keepFile, ContactList::KeepFile::No);
    EXPECT_FALSE(f.list.contactsModified);
    EXPECT_TRUE(f.dir.read(QStringLiteral("phone.csv")).startsWith("|QMK|"));
}

TEST(ContactList, VCardFileWithoutAReadableCardIsNotLoaded) {
    Fixture f;
    f.fillOld();
    const QString vcf = f.dir.write(QStringLiteral("cut.vcf"), "BEGIN:VCARD\r\nFN:Cut off");
    ScriptedPrompt prompt;
    prompt.answer(Prompt::Answer::No);
    QString name = vcf;
    EXPECT_FALSE(f.list.LoadContacts(ContactSource::kFile, name));
    EXPECT_EQ(prompt.texts(),
              (QStringList{QStringLiteral("Merge ") + vcf +
                               QStringLiteral(" with Contact List (click No to replace)?"),
                           QStringLiteral("The file cut.vcf holds no vCard that could be read."),
                           QStringLiteral("Didn't load contacts.")}));
    EXPECT_EQ(f.list.contacts.Strings(), std::vector<std::string>{"Old Contact"});
    EXPECT_EQ(f.list.contactFileName, QStringLiteral("/old/list.csv"));
    EXPECT_EQ(f.list.keepFile, ContactList::KeepFile::No);
}

namespace {

// Imports every row's first field, as the dialog would after the user's choices.
struct FirstFieldImporter : DelimitedImporter {
    std::optional<std::vector<std::string>> ImportContacts(const CCSVFile& file) override {
        std::vector<std::string> out;
        const std::string_view text = file.text();
        for (std::size_t at = 0; at < text.size();) {
            const std::size_t end = std::min(text.find('\n', at), text.size());
            const std::string_view line = text.substr(at, end - at);
            out.push_back(std::string(line.substr(0, line.find(file.delimiter()))) + "\r\n");
            at = end + 1;
        }
        return out;
    }
};

const QByteArray kExport = "First Name,Last Name,E-mail\r\nAnn,Lee,ann@example.org\r\n";

} // namespace

// Another program's export that came through the import dialog is never written over,
// opened on its own or merged into a list: Save asks for a new name and refuses the export.
TEST(ContactList, ImportedExportIsNeverSavedOver) {
    for (const bool merged : {false, true}) {
        Fixture f;
        FirstFieldImporter importer;
        f.list.FileReader()->SetImporter(&importer);
        const QString exported = f.dir.write(QStringLiteral("thunderbird.csv"), kExport);
        ScriptedPrompt prompt;
        if (merged) {
            QString vcf = f.dir.write(QStringLiteral("phone.vcf"),
                                      "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Bob Roe\r\nEND:VCARD\r\n");
            ASSERT_TRUE(f.list.LoadContacts(ContactSource::kFile, vcf));
            prompt.answer(Prompt::Answer::Yes);
        }
        QString name = exported;
        ASSERT_TRUE(f.list.LoadContacts(ContactSource::kFile, name));
        EXPECT_EQ(f.list.contactFileName, exported);
        EXPECT_EQ(f.list.keepFile, ContactList::KeepFile::Imported);
        EXPECT_TRUE(f.list.contactsModified);

        prompt.saveWith(exported);
        prompt.saveWith(std::nullopt);
        EXPECT_FALSE(f.list.SaveContacts());
        ASSERT_EQ(prompt.fileRequests.size(), 2u);
        EXPECT_EQ(prompt.fileRequests[0].initialName, QStringLiteral("thunderbird (2).csv"));
        EXPECT_EQ(prompt.texts().last(),
                  QStringLiteral("thunderbird.csv is the file these contacts were imported from. "
                                 "Contact lists are saved in Quillmark's own format, so please "
                                 "choose another name to keep it as it is."));
        EXPECT_EQ(f.dir.read(QStringLiteral("thunderbird.csv")), kExport);

        prompt.saveWith(f.dir.path(QStringLiteral("thunderbird (2).csv")));
        EXPECT_TRUE(f.list.SaveContacts());
        EXPECT_EQ(f.dir.read(QStringLiteral("thunderbird.csv")), kExport);
        EXPECT_EQ(f.list.contactFileName, f.dir.path(QStringLiteral("thunderbird (2).csv")));
        EXPECT_EQ(f.list.keepFile, ContactList::KeepFile::No);
        f.list.FileReader()->SetImporter(nullptr);
    }
}

namespace {

QByteArray ownFile(int contacts) {
    QByteArray data = CCSVFile::kHeaderLine;
    for (int i = 0; i < contacts; ++i)
        data += "Contact " + QByteArray::number(100000 + i) + "\tRoad\r\n";
    return data;
}

} // namespace

// A file read only up to the contact limit is never written over; one that the limit read
// whole is saved as usual.
TEST(ContactList, FileReadInPartIsNeverSavedOver) {
    Fixture f;
    const QByteArray big = ownFile(6000);
    const QString path = f.dir.write(QStringLiteral("big.csv"), big);
    ScriptedPrompt prompt;
    QString name = path;
    ASSERT_TRUE(f.list.LoadContacts(ContactSource::kFile, name));
    EXPECT_EQ(f.list.contacts.GetSize(), 5000);
    EXPECT_EQ(prompt.texts(),
              QStringList{QStringLiteral("Maximum of 5,000 addresses loaded\n\nThe file holds "
                                         "more, so Save Contacts asks for a new name instead "
                                         "of writing over it.")});
    EXPECT_EQ(f.list.keepFile, ContactList::KeepFile::ReadInPart);

    f.list.contacts.SetAt(0, "Edited\r\nRoad");
    f.list.contactsModified = true;
    prompt.saveWith(path);
    prompt.saveWith(f.dir.path(QStringLiteral("first.csv")));
    EXPECT_TRUE(f.list.SaveContacts());
    ASSERT_EQ(prompt.fileRequests.size(), 2u);
    EXPECT_EQ(prompt.fileRequests[0].initialName, QStringLiteral("big (2).csv"));
    EXPECT_EQ(prompt.texts().last(),
              QStringLiteral("big.csv holds more contacts than were loaded from it, and saving "
                             "the list there would lose them. Please choose another name."));
    EXPECT_EQ(f.dir.read(QStringLiteral("big.csv")), big);
    EXPECT_EQ(f.list.contactFileName, f.dir.path(QStringLiteral("first.csv")));

    // Exactly 5,000: the message as ever, and the file is the list's to save.
    Fixture whole;
    const QString full = whole.dir.write(QStringLiteral("full.csv"), ownFile(5000));
    ScriptedPrompt prompt2;
    name = full;
    ASSERT_TRUE(whole.list.LoadContacts(ContactSource::kFile, name));
    EXPECT_EQ(prompt2.texts(), QStringList{QStringLiteral("Maximum of 5,000 addresses loaded")});
    EXPECT_EQ(whole.list.keepFile, ContactList::KeepFile::No);
    whole.list.contactsModified = true;
    EXPECT_TRUE(whole.list.SaveContacts());
    EXPECT_TRUE(prompt2.fileRequests.empty());
}

// Saving more contacts than a contact list file opens with asks first; No saves nothing.
TEST(ContactList, SavingMoreContactsThanAFileOpensWithWarns) {
    Fixture f;
    f.list.NewContactList();
    for (int i = 0; i < 6000; ++i)
        f.list.contacts.Add("Contact " + std::to_string(i) + "\r\nRoad\r\n");
    const QString target = f.dir.path(QStringLiteral("all.csv"));
    const QString warning = QStringLiteral(
        "This list holds 6,000 contacts; a contact list file opens with its first 5,000, so "
        "the other 1,000 stay in the file but are not shown when it is opened again (and the "
        "file is then never saved over). Save all 6,000 contacts?");

    ScriptedPrompt prompt;
    prompt.answer(Prompt::Answer::No);
    EXPECT_EQ(f.list.SaveContactsAs(), ContactList::SaveAsResult::Cancelled);
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_EQ(prompt.shown[0].text, warning);
    EXPECT_EQ(prompt.shown[0].buttons, Prompt::Buttons::YesNo);
    EXPECT_EQ(prompt.shown[0].icon, Prompt::Icon::Warning);
    EXPECT_TRUE(prompt.fileRequests.empty());

    prompt.answer(Prompt::Answer::Yes);
    prompt.saveWith(target);
    EXPECT_EQ(f.list.SaveContactsAs(), ContactList::SaveAsResult::Saved);
    EXPECT_EQ(f.dir.read(QStringLiteral("all.csv")).count("\r\n"), 6001);

    // Save Contacts into the list's own file asks the same.
    f.list.contactsModified = true;
    prompt.answer(Prompt::Answer::No);
    EXPECT_FALSE(f.list.SaveContacts());
    EXPECT_EQ(prompt.shown.back().text, warning);
    EXPECT_TRUE(f.list.contactsModified);
}

// A named pipe (or a device) as the contact list is refused at once, when opened and when
// chosen to save to; nothing waits for a writer, and the list stays.
TEST(ContactList, PipesAreRefusedWithoutWaiting) {
    Fixture f;
    f.fillOld();
    const QString fifo = makeFifo(f.dir.path(QStringLiteral("pipe.csv")));
    ASSERT_FALSE(fifo.isEmpty());
    HangGuard guard;
    for (const QString& path : {fifo, QStringLiteral("/dev/zero")}) {
        ScriptedPrompt prompt;
        prompt.answer(Prompt::Answer::No);
        QString name = path;
        EXPECT_FALSE(f.list.LoadContacts(ContactSource::kFile, name));
        EXPECT_TRUE(name.isEmpty());
        EXPECT_EQ(prompt.texts().mid(1), QStringList{QStringLiteral("Can't open file: ") + path});
        EXPECT_EQ(f.list.contacts.Strings(), std::vector<std::string>{"Old Contact"});
        EXPECT_EQ(f.list.contactFileName, QStringLiteral("/old/list.csv"));
    }
    EXPECT_FALSE(ContactFileReader::IsVCardFile(fifo));
}

// Reloading an unsaved list (after ticking "Use US style...") has no file to read: nothing
// is asked, with an empty name or otherwise, and the list stays.
TEST(ContactList, UnsavedListHasNothingToReload) {
    Fixture f;
    f.list.NewContactList();
    f.list.contacts.Add("Typed\r\n");
    ScriptedPrompt prompt;
    QString none;
    EXPECT_FALSE(f.list.LoadContacts(ContactSource::kFile, none));
    EXPECT_TRUE(prompt.shown.empty());
    EXPECT_EQ(f.list.contacts.Strings(), std::vector<std::string>{"Typed\r\n"});
    EXPECT_TRUE(f.list.contactsModified);
}
