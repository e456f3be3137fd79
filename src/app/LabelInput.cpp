#include "app/LabelInput.h"

#include "app/LabelListFile.h"
#include "contacts/CCSVFile.h"
#include "contacts/ContactText.h"
#include "contacts/VCardParser.h"
#include "platform/FileError.h"
#include "platform/Text.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>

namespace LabelInput {

namespace {

bool isBlank(std::string_view line) {
    return line.find_first_not_of(" \t\r\v\f") == std::string_view::npos;
}

} // namespace

Result readPlainText(const QByteArray& bytes, const QString&) {
    const std::string text =
        Text::from8Bit(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    Result result;
    std::string label;
    auto finishLabel = [&] {
        if (!label.empty())
            result.labels.push_back(std::move(label));
        label.clear();
    };
    std::size_t at = 0;
    while (at <= text.size()) {
        std::size_t end = text.find('\n', at);
        if (end == std::string::npos)
            end = text.size();
        std::string_view line(text.data() + at, end - at);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (isBlank(line)) {
            finishLabel();
        } else {
            if (!label.empty())
                label += "\r\n";
            label += line;
        }
        at = end + 1;
    }
    finishLabel();
    return result;
}

Result readLabelList(const QByteArray& bytes, const QString& path) {
    CSortStrArray labels;
    LabelPreferences prefs;
    std::string face;
    const LabelListFile::ReadResult read = LabelListFile::read(bytes, labels, prefs, face);
    Result result;
    if (!read.ok()) {
        result.error = QStringLiteral("%1 is not a complete label list file: it ends before "
                                      "the sheet and font settings.")
                           .arg(path);
        return result;
    }
    result.labels = labels.Strings();
    result.format = prefs;
    result.faceName = face;
    return result;
}

Result readContactList(const QByteArray& bytes, const QString& path) {
    CCSVFile file(bytes, path, false);
    Result result;
    switch (file.DetectFormat()) {
    case CCSVFile::OwnFormat: {
        CSortStrArray contacts;
        file.ReadContacts(contacts);
        result.labels = contacts.Strings();
        break;
    }
    case CCSVFile::Foreign:
        result.error = QStringLiteral("%1 is not a Quillmark contact list file; import it in "
                                      "Quillmark first.")
                           .arg(path);
        break;
    case CCSVFile::NotUsable:
        result.error = QStringLiteral("No labels were read from %1.").arg(path);
        break;
    }
    return result;
}

Result readVCards(const QByteArray& bytes, const QString& path) {
    Result result;
    for (std::string& text : VCardParser::ContactTexts(bytes, false)) {
        // A card with nothing to print is no label.
        if (!ContactText::trim(text).empty())
            result.labels.push_back(std::move(text));
    }
    if (result.labels.empty() && !VCardParser::LooksLikeVCard(bytes))
        result.error = QStringLiteral("%1 is not a vCard file.").arg(path);
    return result;
}

const std::vector<Format>& formats() {
    static const std::vector<Format> known = {
        {QStringLiteral("label list"), {QStringLiteral("lbl")}, &readLabelList},
        {QStringLiteral("contact list"),
         {QStringLiteral("csv"), QStringLiteral("tsv")},
         &readContactList},
        {QStringLiteral("vCard"), {QStringLiteral("vcf"), QStringLiteral("vcard")}, &readVCards},
        {QStringLiteral("plain text"), {}, &readPlainText},
    };
    return known;
}

Result readFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        auto cause = FileError::probeOpen(path, false);
        if (cause == FileError::None)
            cause = FileError::Generic;
        Result failed;
        failed.error = FileError::cantOpenMessage(path, cause);
        return failed;
    }
    errno = 0;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        auto cause = FileError::fromErrno(errno);
        Result failed;
        failed.error =
            FileError::standardMessage(cause == FileError::None ? FileError::HardIO : cause, path);
        return failed;
    }
    const QString suffix = QFileInfo(path).suffix().toLower();
    for (const Format& f : formats())
        if (f.suffixes.contains(suffix))
            return f.reader(bytes, path);
    return formats().back().reader(bytes, path);
}

} // namespace LabelInput
