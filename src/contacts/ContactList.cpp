#include "contacts/ContactList.h"

#include "contacts/CCSVFile.h"
#include "contacts/ContactFileReader.h"
#include "labels/LabelPreferences.h"
#include "platform/AppPaths.h"
#include "platform/Prompt.h"

#include <QFileInfo>

ContactList::ContactList(LabelPreferences& preferences) : prefs(preferences) {
    SetReader(ContactSource::kFile, std::make_unique<ContactFileReader>());
}

ContactList::~ContactList() = default;

void ContactList::SetReader(std::uint8_t kind, std::unique_ptr<ContactReader> reader) {
    readers[kind] = std::move(reader);
}

ContactReader* ContactList::Reader(std::uint8_t kind) const {
    const auto it = readers.find(kind);
    return it == readers.end() ? nullptr : it->second.get();
}

ContactFileReader* ContactList::FileReader() const {
    return dynamic_cast<ContactFileReader*>(Reader(ContactSource::kFile));
}

QString ContactList::SourceName(std::uint8_t kind, const QString& fileName) {
    if (kind == ContactSource::kWindowsContacts)
        return QStringLiteral("Address Book");
    if (kind == ContactSource::kGoogle)
        return QStringLiteral("Google Contacts");
    return fileName;
}

bool ContactList::LoadContacts(std::uint8_t kind, QString& fileName) {
    ContactReader* reader = Reader(kind);
    if (reader == nullptr)
        return false;

    bool replace = true;
    if (!contacts.IsEmpty()) {
        const QString source = SourceName(kind, fileName);
        const bool pending = reloadPending;
        reloadPending = false;
        const auto answer =
            showMessage(QStringLiteral("Merge ") + source +
                            QStringLiteral(" with Contact List (click No to "
                                           "replace)?"),
                        source, Prompt::Buttons::YesNoCancel, Prompt::Icon::Question);
        reloadPending = pending;
        if (answer == Prompt::Answer::Yes)
            replace = false;
        else if (answer != Prompt::Answer::No)
            return false;
    } else {
        contacts = CSortStrArray();
        contacts.SetLastNameFlag(sortContactsByLastName);
    }

    CSortStrArray backup = contacts;
    if (replace)
        contacts.RemoveAll();
    const auto result = reader->Read(fileName, contacts, prefs.usStyle != 0);
    if (result.ok) {
        contactFileName = fileName;
        contactFileIsExport = result.exportFile && !fileName.isEmpty();
        prefs.contactSource = kind;
        if (result.imported)
            contactsModified = true;
        else if (replace)
            contactsModified = false;
        return true;
    }
    contacts = std::move(backup);
    if (!fileName.isEmpty())
        showMessage(QStringLiteral("Didn't load contacts."));
    return false;
}

void ContactList::NewContactList() {
    contacts = CSortStrArray();
    contacts.SetLastNameFlag(sortContactsByLastName);
    contactFileName.clear();
    contactFileIsExport = false;
    prefs.contactSource = ContactSource::kFile;
    contactsModified = true;
}

bool ContactList::SaveContacts() {
    if (contactFileName.isEmpty() || contactFileIsExport)
        return SaveContactsAs() == SaveAsResult::Saved;
    if (!SaveContactFile(contactFileName, contacts))
        return false;
    contactsModified = false;
    prefs.contactSource = ContactSource::kFile;
    return true;
}

ContactList::SaveAsResult ContactList::SaveContactsAs() {
    Prompt::FileRequest request;
    request.filter = QStringLiteral("CSV Files (*.csv)|*.csv||");
    request.defaultExtension = QStringLiteral("csv");
    if (contactFileIsExport) {
        // Offer a contact list beside the export, under its name.
        const QFileInfo exported(contactFileName);
        request.directory = exported.absolutePath();
        request.initialName = exported.completeBaseName() + QStringLiteral(".csv");
    }
    for (;;) {
        const auto path = prompt().saveFile(request);
        if (!path || path->isEmpty())
            return SaveAsResult::Cancelled;
        if (ContactFileReader::IsVCardFile(*path)) {
            showMessage(AppPaths::lastComponent(*path) +
                        QStringLiteral(" is a vCard file. Contact lists are saved in "
                                       "Quillmark's own format, so please choose another name "
                                       "to keep the vCard file as it is."));
            continue;
        }
        contactFileName = *path;
        contactFileIsExport = false;
        return SaveContacts() ? SaveAsResult::Saved : SaveAsResult::Failed;
    }
}

void ContactList::SetSortByLastName(bool byLastName) {
    sortContactsByLastName = byLastName ? 1 : 0;
    contacts.SetLastNameFlag(sortContactsByLastName);
}
