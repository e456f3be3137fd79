#pragma once

#include "contacts/CSortStrArray.h"

#include <QString>
#include <cstdint>
#include <map>
#include <memory>

class ContactReader;
class ContactFileReader;
struct LabelPreferences;

// The contact list the main window holds for its whole life: the contacts, where they came
// from and whether they have unsaved changes. Contacts from a source enter only through
// LoadContacts; refreshing the pane afterwards is the caller's.
class ContactList {
public:
    // The source kind (contactSource) and the US-style flag live in prefs.
    explicit ContactList(LabelPreferences& prefs);
    ~ContactList();
    ContactList(const ContactList&) = delete;
    ContactList& operator=(const ContactList&) = delete;

    // Installs the reader for a source kind, replacing any earlier one. The file reader
    // (kind 3) is installed from the start.
    void SetReader(std::uint8_t kind, std::unique_ptr<ContactReader> reader);
    ContactReader* Reader(std::uint8_t kind) const;
    // The installed file reader (to give it the import dialog), or null if replaced.
    ContactFileReader* FileReader() const;

    // Brings contacts from a source into the list, asking whether to merge when the list is
    // not empty; restores the list when the source fails. True when contacts were loaded
    // (the caller then refills the pane). With no reader for kind, nothing happens.
    [[nodiscard]] bool LoadContacts(std::uint8_t kind, QString& fileName);

    // "New Contact List": an empty, unsaved list from the file source, marked modified.
    void NewContactList();

    // Writes the list to contactFileName (or asks for one, also when that file must not be
    // written over); false when not saved.
    [[nodiscard]] bool SaveContacts();
    enum class SaveAsResult { Saved, Failed, Cancelled };
    // Asks for a file name and saves there; a vCard file and the file that must not be
    // written over are refused and the name asked again. contactFileName becomes the chosen
    // path only once the list is saved there; the caller updates the pane caption.
    [[nodiscard]] SaveAsResult SaveContactsAs();

    // Why contactFileName is never written over: another program's export (a vCard file, or
    // a file read through the import dialog), or a file of which only a part was read.
    enum class KeepFile { No, VCardExport, Imported, ReadInPart };

    // Copies the flag into the list's last-name flag too.
    void SetSortByLastName(bool byLastName);

    // "Address Book", "Google Contacts" or the file name.
    static QString SourceName(std::uint8_t kind, const QString& fileName);

    CSortStrArray contacts;
    QString contactFileName;
    bool contactsModified = false;
    KeepFile keepFile = KeepFile::No;
    std::int32_t sortContactsByLastName = 0;
    // Set while the contacts folder was edited, so that the window offers a reload when it
    // is activated again; held off while the merge question is up.
    bool reloadPending = false;
    LabelPreferences& prefs;

private:
    // Warns before saving more contacts than a contact list file opens with; false when the
    // user would rather not save.
    [[nodiscard]] bool ConfirmLength() const;
    // Why path cannot take the list, or empty.
    QString RefusedTarget(const QString& path) const;
    [[nodiscard]] bool WriteTo(const QString& path);

    std::map<std::uint8_t, std::unique_ptr<ContactReader>> readers;
};
