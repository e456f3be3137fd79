#include "contacts/ContactFileReader.h"

#include "contacts/CCSVFile.h"
#include "contacts/VCardParser.h"
#include "platform/AppPaths.h"
#include "platform/Prompt.h"
#include "platform/RegularFile.h"

#include <QFile>
#include <QFileInfo>

namespace {

// How much of a file is looked at to recognise a vCard file.
constexpr qint64 kHeadBytes = 4096;

bool startsLikeVCard(const QString& path) {
    QFile file;
    if (RegularFile::open(file, path) != FileError::None)
        return false;
    return VCardParser::LooksLikeVCard(file.read(kHeadBytes));
}

} // namespace

bool ContactFileReader::IsVCardFile(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    return suffix == QLatin1String("vcf") || suffix == QLatin1String("vcard") ||
           startsLikeVCard(path);
}

ContactReader::Result ContactFileReader::Read(QString& fileName, CSortStrArray& list,
                                              bool usStyle) {
    Result result;
    // Read once: what it holds decides how it is taken.
    auto data = CCSVFile::ReadFile(fileName);
    if (!data)
        return result;
    if (VCardParser::LooksLikeVCard(data->left(kHeadBytes))) {
        std::vector<std::string> contacts = VCardParser::ContactTexts(*data, usStyle);
        static_assert(VCardParser::kMaxCards == 1000000, "the message names the limit");
        if (contacts.size() > VCardParser::kMaxCards) {
            showMessage(QStringLiteral("The file ") + AppPaths::lastComponent(fileName) +
                        QStringLiteral(" holds more than 1,000,000 vCards: too many to read."));
            return result;
        }
        if (contacts.empty()) {
            showMessage(QStringLiteral("The file ") + AppPaths::lastComponent(fileName) +
                        QStringLiteral(" holds no vCard that could be read."));
            return result;
        }
        for (std::string& contact : contacts)
            list.Add(std::move(contact));
        result.ok = true;
        result.exportFile = true;
        return result;
    }
    result.ok = ReadContactBytes(std::move(*data), fileName, list, usStyle, delimitedImporter,
                                 result.imported, &result.readInPart);
    return result;
}
