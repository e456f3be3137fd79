#pragma once

#include "contacts/ContactReader.h"

#include <QString>
#include <string>
#include <unordered_map>

class SettingsStore;

// The address book: a folder of vCard files (*.vcf, *.vcard; one or more cards in each; in
// subfolders too, as sync tools keep one folder per address book), read in name order so the
// result is the same every time. Where the folder is, is kept in the settings.
class AddressBookReader : public ContactReader {
public:
    static inline const QString kFolderSetting = QStringLiteral("AddressBookFolder");
    // A file this large is no address book entry; it is passed over rather than loaded.
    static constexpr qint64 kMaxFileBytes = 256LL * 1024 * 1024;

    explicit AddressBookReader(SettingsStore& settings);

    // Appends one contact per card. False, without a message, when the folder does not
    // exist or cannot be read; a file that cannot be read is passed over.
    Result Read(QString& fileName, CSortStrArray& list, bool usStyle) override;

    // The folder in use: the stored one, else ~/Contacts.
    QString Folder() const;
    void SetFolder(const QString& folder);
    static QString DefaultFolder();
    static QString StoredFolder(const SettingsStore& settings);
    static void StoreFolder(SettingsStore& settings, const QString& folder);

    // The file the last read took this contact text from; empty for a text that did not
    // come from the folder. Texts read from two files give the first file.
    QString FileOf(const std::string& contact) const;

private:
    SettingsStore& settings_;
    std::unordered_map<std::string, QString> files_;
};
