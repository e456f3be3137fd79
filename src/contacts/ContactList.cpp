#include "contacts/ContactList.h"

#include "contacts/CCSVFile.h"
#include "contacts/ContactFileReader.h"
#include "labels/LabelPreferences.h"
#include "platform/AppPaths.h"
#include "platform/Prompt.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>

namespace {

// Both name one existing file, under whatever path.
bool sameFile(const QString& a, const QString& b) {
    const QString canonical = QFileInfo(a).canonicalFilePath();
    return !canonical.isEmpty() && canonical == QFileInfo(b).canonicalFilePath();
}

} // namespace

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
    // A file source without a file (an unsaved list) has nothing to read: no merge question
    // without a name to put in it.
    if (kind == ContactSource::kFile && fileName.isEmpty())
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
        if (fileName.isEmpty())
            keepFile = KeepFile::No;
        else if (result.readInPart)
            keepFile = KeepFile::ReadInPart;
        else if (result.exportFile)
            keepFile = KeepFile::VCardExport;
        else if (result.imported)
            keepFile = KeepFile::Imported;
        else
            keepFile = KeepFile::No;
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
    keepFile = KeepFile::No;
    prefs.contactSource = ContactSource::kFile;
    contactsModified = true;
}

bool ContactList::SaveContacts() {
    if (contactFileName.isEmpty() || keepFile != KeepFile::No)
        return SaveContactsAs() == SaveAsResult::Saved;
    return ConfirmLength() && WriteTo(contactFileName);
}

ContactList::SaveAsResult ContactList::SaveContactsAs() {
    if (!ConfirmLength())
        return SaveAsResult::Cancelled;
    Prompt::FileRequest request;
    request.filter = QStringLiteral("CSV Files (*.csv)|*.csv||");
    request.defaultExtension = QStringLiteral("csv");
    if (keepFile != KeepFile::No) {
        // Offer a contact list beside the file, under its name or, where that is the file
        // itself, a name of its own.
        const QFileInfo kept(contactFileName);
        request.directory = kept.absolutePath();
        request.initialName = kept.completeBaseName() + QStringLiteral(".csv");
        if (sameFile(kept.absoluteDir().filePath(request.initialName), contactFileName))
            request.initialName = kept.completeBaseName() + QStringLiteral(" (2).csv");
    }
    for (;;) {
        const auto path = prompt().saveFile(request);
        if (!path || path->isEmpty())
            return SaveAsResult::Cancelled;
        const QString refused = RefusedTarget(*path);
        if (!refused.isEmpty()) {
            showMessage(refused);
            continue;
        }
        if (!WriteTo(*path))
            return SaveAsResult::Failed;
        contactFileName = *path;
        keepFile = KeepFile::No;
        return SaveAsResult::Saved;
    }
}

QString ContactList::RefusedTarget(const QString& path) const {
    const QString name = AppPaths::lastComponent(path);
    if (ContactFileReader::IsVCardFile(path))
        return name + QStringLiteral(" is a vCard file. Contact lists are saved in "
                                     "Quillmark's own format, so please choose another name "
                                     "to keep the vCard file as it is.");
    if (keepFile == KeepFile::No || !sameFile(path, contactFileName))
        return {};
    if (keepFile == KeepFile::ReadInPart)
        return name + QStringLiteral(" holds more contacts than were loaded from it, and "
                                     "saving the list there would lose them. Please choose "
                                     "another name.");
    return name + QStringLiteral(" is the file these contacts were imported from. Contact "
                                 "lists are saved in Quillmark's own format, so please choose "
                                 "another name to keep it as it is.");
}

bool ContactList::ConfirmLength() const {
    const int count = contacts.GetSize();
    if (count <= CCSVFile::kMaxContacts)
        return true;
    static_assert(CCSVFile::kMaxContacts == 5000, "the message names the limit");
    const QLocale english(QLocale::English);
    const auto answer = showMessage(
        QStringLiteral("This list holds %1 contacts; a contact list file opens with its first "
                       "5,000, so the other %2 stay in the file but are not shown when it is "
                       "opened again (and the file is then never saved over). Save all %1 "
                       "contacts?")
            .arg(english.toString(count), english.toString(count - CCSVFile::kMaxContacts)),
        kAppCaption, Prompt::Buttons::YesNo, Prompt::Icon::Warning);
    return answer == Prompt::Answer::Yes;
}

bool ContactList::WriteTo(const QString& path) {
    if (!SaveContactFile(path, contacts))
        return false;
    contactsModified = false;
    prefs.contactSource = ContactSource::kFile;
    return true;
}

void ContactList::SetSortByLastName(bool byLastName) {
    sortContactsByLastName = byLastName ? 1 : 0;
    contacts.SetLastNameFlag(sortContactsByLastName);
}
