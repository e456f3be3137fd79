#include "contacts/AddressBookReader.h"

#include "contacts/VCardParser.h"
#include "platform/RegularFile.h"
#include "platform/SettingsStore.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <vector>

AddressBookReader::AddressBookReader(SettingsStore& settings) : settings_(settings) {}

QString AddressBookReader::DefaultFolder() {
    return QDir::homePath() + QStringLiteral("/Contacts");
}

QString AddressBookReader::StoredFolder(const SettingsStore& settings) {
    const QString stored = settings.readString(kFolderSetting, QString());
    return stored.isEmpty() ? DefaultFolder() : stored;
}

void AddressBookReader::StoreFolder(SettingsStore& settings, const QString& folder) {
    settings.writeString(kFolderSetting, folder);
}

QString AddressBookReader::Folder() const {
    return StoredFolder(settings_);
}

void AddressBookReader::SetFolder(const QString& folder) {
    StoreFolder(settings_, folder);
}

QString AddressBookReader::FileOf(const std::string& contact) const {
    const auto it = files_.find(contact);
    return it == files_.end() ? QString() : it->second;
}

ContactReader::Result AddressBookReader::Read(QString&, CSortStrArray& list, bool usStyle) {
    const QFileInfo folder(Folder());
    if (!folder.isDir() || !folder.isReadable() || !folder.isExecutable())
        return {};

    std::vector<QString> paths;
    QDirIterator it(folder.absoluteFilePath(), {QStringLiteral("*.vcf"), QStringLiteral("*.vcard")},
                    QDir::Files | QDir::Readable, QDirIterator::Subdirectories);
    while (it.hasNext())
        paths.push_back(it.next());
    std::sort(paths.begin(), paths.end());

    files_.clear();
    for (const QString& path : paths) {
        QFile file;
        if (RegularFile::open(file, path) != FileError::None || file.size() > kMaxFileBytes)
            continue;
        const QByteArray bytes = file.readAll();
        if (file.error() != QFileDevice::NoError)
            continue;
        std::vector<std::string> texts = VCardParser::ContactTexts(bytes, usStyle);
        if (texts.size() > VCardParser::kMaxCards)
            continue; // no address book entry either
        for (std::string& text : texts) {
            files_.emplace(text, path);
            list.Add(std::move(text));
        }
    }
    Result result;
    result.ok = true;
    return result;
}
