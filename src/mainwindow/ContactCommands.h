#pragma once

#include <QObject>
#include <string>

class AddressBookReader;
class CQuillmarkDlg;
class QUrl;

// The Contacts menu's "Add New Contact...", "Edit Contact..." and "Delete Contact", and
// "Load Address Book...". A list from a file is edited in memory through the details editor;
// the address book is a folder of vCard files that the user's own programs edit, so for it
// the commands hand the folder or the contact's file to them and offer to reload the list
// when the user comes back to this window.
class ContactCommands : public QObject {
    Q_OBJECT
public:
    // Installs the address book reader in the window's contact list.
    explicit ContactCommands(CQuillmarkDlg& dlg);

    void AddNewContact();
    void EditContact();
    void DeleteContact();
    // Loads the address book, asking for its folder first when that does not exist.
    void LoadAddressBook();
    // The window became active: after a hand-off, asks "Reload contacts?".
    void OnActivated();

    // The address book folder and the file a contact was read from (the folder when the
    // contact did not come from it).
    QString AddressBookFolder() const;
    QString AddressBookFileOf(const std::string& contact) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    AddressBookReader* addressBook() const;
    void HandOff(const QUrl& url);
    // Selects the first pane item that begins with the contact's first line, ignoring case.
    void SelectContact(const std::string& contact);
    void SelectRow(int row);

    CQuillmarkDlg& dlg;
};
