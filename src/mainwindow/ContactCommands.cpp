#include "mainwindow/ContactCommands.h"

#include "contacts/AddressBookReader.h"
#include "contacts/ContactText.h"
#include "contacts/ui/CEditDetails.h"
#include "mainwindow/CQuillmarkDlg.h"
#include "mainwindow/ContactsPane.h"
#include "mainwindow/ControlIds.h"
#include "platform/Prompt.h"
#include "platform/Shell.h"
#include "platform/Text.h"
#include "platform/ui/DialogRunner.h"

#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QListWidget>
#include <QUrl>

namespace {

const std::string kLineBreak = "\r\n";

bool isEditable(std::uint8_t kind) {
    return kind == ContactSource::kFile || kind == ContactSource::kWindowsContacts;
}

// The editor's text as a contact: trimmed, then ended by a line break.
std::string contactFromEditor(const QString& text) {
    const std::string all = Text::fromQString(text);
    return std::string(ContactText::trim(all)) + kLineBreak;
}

} // namespace

ContactCommands::ContactCommands(CQuillmarkDlg& owner) : QObject(&owner), dlg(owner) {
    dlg.contactList.SetReader(ContactSource::kWindowsContacts,
                              std::make_unique<AddressBookReader>(dlg.settingsStore()));
    const auto source = [this] { return dlg.settings.prefs.contactSource; };
    const auto selected = [this] { return dlg.contactsPane->SelectedContacts().size(); };
    dlg.setCommand(
        Id::AddNewContact, [this] { AddNewContact(); }, [source] { return isEditable(source()); });
    dlg.setCommand(
        Id::EditContact, [this] { EditContact(); },
        [source, selected] { return selected() == 1 && isEditable(source()); });
    dlg.setCommand(
        Id::DeleteContact, [this] { DeleteContact(); },
        [source, selected] {
            return source() == ContactSource::kWindowsContacts ||
                   (source() == ContactSource::kFile && selected() > 0);
        });
    dlg.setCommand(Id::LoadWindowsContacts, [this] { LoadAddressBook(); });
    dlg.installEventFilter(this);
}

AddressBookReader* ContactCommands::addressBook() const {
    return dynamic_cast<AddressBookReader*>(
        dlg.contactList.Reader(ContactSource::kWindowsContacts));
}

QString ContactCommands::AddressBookFolder() const {
    return AddressBookReader::StoredFolder(dlg.settingsStore());
}

QString ContactCommands::AddressBookFileOf(const std::string& contact) const {
    const AddressBookReader* reader = addressBook();
    const QString file = reader ? reader->FileOf(contact) : QString();
    return file.isEmpty() ? AddressBookFolder() : file;
}

void ContactCommands::HandOff(const QUrl& url) {
    // Where nothing opened, nothing can have been edited: no reload is offered.
    if (!Shell::open(url)) {
        showMessage(Shell::noHandlerMessage(url));
        return;
    }
    dlg.contactList.reloadPending = true;
}

void ContactCommands::AddNewContact() {
    const std::uint8_t kind = dlg.settings.prefs.contactSource;
    if (kind == ContactSource::kWindowsContacts) {
        // A folder that is not there yet is made, so the file manager has one to show.
        const QString folder = AddressBookFolder();
        QDir().mkpath(folder);
        HandOff(QUrl::fromLocalFile(folder));
        return;
    }
    if (kind != ContactSource::kFile)
        return;
    CEditDetails editor(QString(), &dlg);
    if (DialogRunner::exec(editor) != QDialog::Accepted)
        return;
    const std::string contact = contactFromEditor(editor.text());
    if (contact == kLineBreak)
        return; // nothing but white space
    ContactList& list = dlg.contactList;
    list.contactsModified = true;
    list.contacts.Add(contact);
    dlg.settings.prefs.contactSource = ContactSource::kFile;
    dlg.contactsPane->RefreshContacts(false);
    SelectContact(contact);
}

void ContactCommands::EditContact() {
    const std::vector<int> selected = dlg.contactsPane->SelectedContacts();
    if (selected.size() != 1)
        return;
    ContactList& list = dlg.contactList;
    const int index = selected.front();
    const std::uint8_t kind = dlg.settings.prefs.contactSource;
    if (kind == ContactSource::kWindowsContacts) {
        HandOff(QUrl::fromLocalFile(AddressBookFileOf(list.contacts.GetAt(index))));
        return;
    }
    if (kind != ContactSource::kFile)
        return;
    CEditDetails editor(Text::toQString(list.contacts.GetAt(index)), &dlg);
    if (DialogRunner::exec(editor) != QDialog::Accepted)
        return;
    // Marked as changed even when nothing was: the user confirmed the text.
    list.contactsModified = true;
    const std::string contact = contactFromEditor(editor.text());
    list.contacts.SetAt(index, contact);
    dlg.contactsPane->RefreshContacts(false);
    SelectContact(contact);
}

void ContactCommands::DeleteContact() {
    const std::uint8_t kind = dlg.settings.prefs.contactSource;
    if (kind == ContactSource::kWindowsContacts) {
        HandOff(QUrl::fromLocalFile(AddressBookFolder()));
        return;
    }
    if (kind != ContactSource::kFile)
        return;
    auto* pane = dlg.control<QListWidget>(Id::ContactsList);
    int lastRow = -1;
    for (int row = 0; row < pane->count(); ++row) {
        if (pane->item(row)->isSelected())
            lastRow = row;
    }
    // Pane order is list order, so every removal moves the later indexes up by one.
    int removed = 0;
    for (const int index : dlg.contactsPane->SelectedContacts())
        dlg.contactList.contacts.RemoveAt(index - removed++);
    if (removed == 0)
        return;
    dlg.contactList.contactsModified = true;
    dlg.contactsPane->RefreshContacts(false);
    SelectRow(std::min(lastRow, pane->count() - 1));
}

void ContactCommands::LoadAddressBook() {
    AddressBookReader* reader = addressBook();
    if (reader == nullptr)
        return;
    if (!QFileInfo(reader->Folder()).isDir()) {
        const auto folder = prompt().chooseFolder(QStringLiteral("Choose the address book folder"),
                                                  QDir::homePath());
        if (!folder)
            return;
        reader->SetFolder(*folder);
    }
    QString none;
    dlg.contactsPane->LoadContacts(ContactSource::kWindowsContacts, none);
}

void ContactCommands::OnActivated() {
    ContactList& list = dlg.contactList;
    if (!list.reloadPending)
        return;
    list.reloadPending = false;
    // Only the address book was handed off; another source since has nothing to reload.
    if (dlg.settings.prefs.contactSource != ContactSource::kWindowsContacts)
        return;
    const auto answer = showMessage(QStringLiteral("Reload contacts?"), QStringLiteral("Quillmark"),
                                    Prompt::Buttons::YesNo);
    if (answer == Prompt::Answer::Yes) {
        QString none;
        dlg.contactsPane->LoadContacts(dlg.settings.prefs.contactSource, none);
    }
    list.reloadPending = false;
}

bool ContactCommands::eventFilter(QObject* watched, QEvent* event) {
    // Asked once the activation is through, not from inside it.
    if (watched == &dlg && event->type() == QEvent::WindowActivate && dlg.contactList.reloadPending)
        QMetaObject::invokeMethod(this, &ContactCommands::OnActivated, Qt::QueuedConnection);
    return QObject::eventFilter(watched, event);
}

void ContactCommands::SelectContact(const std::string& contact) {
    const std::size_t cr = contact.find('\r');
    const QString firstLine =
        Text::toQString(cr == std::string::npos ? contact : contact.substr(0, cr));
    auto* pane = dlg.control<QListWidget>(Id::ContactsList);
    for (int row = 0; row < pane->count(); ++row) {
        if (pane->item(row)->text().startsWith(firstLine, Qt::CaseInsensitive)) {
            SelectRow(row);
            return;
        }
    }
    pane->clearSelection();
}

void ContactCommands::SelectRow(int row) {
    auto* pane = dlg.control<QListWidget>(Id::ContactsList);
    QListWidgetItem* item = pane->item(row);
    if (item == nullptr) {
        pane->clearSelection();
        return;
    }
    pane->setCurrentItem(item, QItemSelectionModel::ClearAndSelect);
    pane->scrollToItem(item);
}
