#include "app/LabelInput.h"

#include "app/LabelListFile.h"
#include "contacts/CCSVFile.h"
#include "contacts/ContactText.h"
#include "contacts/DelimitedTable.h"
#include "contacts/ImportTableModel.h"
#include "contacts/VCardParser.h"
#include "platform/FileError.h"
#include "platform/RegularFile.h"
#include "platform/Text.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <numeric>

namespace LabelInput {

namespace {

bool isBlank(std::string_view line) {
    return line.find_first_not_of(" \t\r\v\f") == std::string_view::npos;
}

Result optionsDoNotApply(const QString& path, const QString& kind) {
    Result result;
    result.error = QStringLiteral("--columns, --skip-rows and --delimiter apply to delimited "
                                  "files only, and %1 is %2.")
                       .arg(path, kind);
    result.badOptions = true;
    return result;
}

QString tooManyLabels(const QString& path) {
    return QStringLiteral("%1 holds more than 1,000,000 labels: too many to print.").arg(path);
}
static_assert(kMaxLabels == 1000000, "the message names the limit");

} // namespace

Result readPlainText(const QByteArray& bytes, const QString& path) {
    // UTF-8 is read in place; only other text is converted.
    std::string converted;
    std::string_view text(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    const Text::Encoding encoding = Text::detectEncoding(text);
    if (encoding != Text::Encoding::Utf8 || text.find('\0') != std::string_view::npos) {
        converted = Text::decodeAs(text, encoding);
        text = converted;
    }
    Result result;
    std::string label;
    auto finishLabel = [&] {
        if (!label.empty()) {
            label.shrink_to_fit(); // grown line by line; a million labels keep no spare room
            result.labels.push_back(std::move(label));
        }
        label.clear();
    };
    std::size_t at = 0;
    while (at <= text.size()) {
        if (result.labels.size() > kMaxLabels) {
            result.labels.clear();
            result.error = tooManyLabels(path);
            return result;
        }
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
    if (result.labels.size() > kMaxLabels) {
        result.labels.clear();
        result.error = tooManyLabels(path);
    }
    return result;
}

Result readLabelList(const QByteArray& bytes, const QString& path) {
    CSortStrArray labels;
    LabelPreferences prefs;
    std::string face;
    const LabelListFile::ReadResult read = LabelListFile::read(bytes, labels, prefs, face);
    Result result;
    if (read.tooManyLabels) {
        result.error = tooManyLabels(path);
        return result;
    }
    if (!read.ok()) {
        result.error = QStringLiteral("%1 is not a complete label list file: it ends before "
                                      "the sheet and font settings.")
                           .arg(path);
        return result;
    }
    result.labels = labels.TakeStrings();
    result.format = prefs;
    result.faceName = face;
    return result;
}

Result readContactList(const QByteArray& bytes, const QString& path) {
    return readContactList(bytes, path, ImportChoices{});
}

Result readContactList(const QByteArray& bytes, const QString& path, const ImportChoices& choices) {
    return readContactListOf(QByteArray(bytes), path, choices);
}

Result readContactListOf(QByteArray bytes, const QString& path, const ImportChoices& choices) {
    // Taking the bytes lets a file that needs decoding be held only as its text.
    CCSVFile file(std::move(bytes), path, false);
    Result result;
    switch (file.DetectFormat()) {
    case CCSVFile::OwnFormat: {
        if (choices.given)
            return optionsDoNotApply(path, QStringLiteral("a Quillmark contact list"));
        CSortStrArray contacts;
        file.ReadContacts(contacts);
        result.labels = contacts.TakeStrings();
        break;
    }
    case CCSVFile::Foreign: {
        // Counted first: the table, and the widest row's count, would take many times the
        // file's size.
        if (DelimitedTable::HasMoreRowsThan(file.text(), DelimitedTable::kMaxRows)) {
            result.error =
                QStringLiteral("%1 has more than 1,000,000 rows: too many to import.").arg(path);
            return result;
        }
        const char delimiter = choices.delimiter != 0 ? choices.delimiter : file.delimiter();
        const int fields = file.fieldCount(delimiter);
        for (const int c : choices.columns) {
            if (c > fields) {
                result.error = QStringLiteral("%1 has %2 field(s) per row with this delimiter; "
                                              "there is no field %3.")
                                   .arg(path)
                                   .arg(fields)
                                   .arg(c);
                return result;
            }
        }
        ImportTableModel table;
        table.SetTable(DelimitedTable::Parse(file.text(), delimiter, fields));
        std::vector<int> skipped(
            static_cast<std::size_t>(std::min(choices.skipRows, table.rowCount())));
        std::iota(skipped.begin(), skipped.end(), 0);
        table.RemoveRowSet(std::move(skipped));
        std::vector<int> order = choices.columns;
        if (order.empty()) {
            order.resize(static_cast<std::size_t>(fields));
            std::iota(order.begin(), order.end(), 1);
        }
        result.labels = table.Contacts(order);
        break;
    }
    case CCSVFile::NotUsable:
        result.error = QStringLiteral("No labels were read from %1.").arg(path);
        break;
    }
    return result;
}

Result readVCards(const QByteArray& bytes, const QString& path) {
    Result result;
    std::vector<std::string> texts = VCardParser::ContactTexts(bytes, false);
    if (texts.size() > VCardParser::kMaxCards) {
        result.error =
            QStringLiteral("%1 holds more than 1,000,000 vCards: too many to read.").arg(path);
        return result;
    }
    for (std::string& text : texts) {
        // A card with nothing to print is no label.
        if (!ContactText::trim(text).empty())
            result.labels.push_back(std::move(text));
    }
    if (result.labels.empty() && !VCardParser::LooksLikeVCard(bytes))
        result.error = QStringLiteral("%1 is not a vCard file.").arg(path);
    return result;
}

ParsedChoices parseImportChoices(const QString& columns, const QString& skipRows,
                                 const QString& delimiter) {
    ParsedChoices parsed;
    ImportChoices choices;
    choices.given = !columns.isEmpty() || !skipRows.isEmpty() || !delimiter.isEmpty();
    if (!columns.isEmpty()) {
        for (const QString& part : columns.split(QLatin1Char(','))) {
            bool ok = false;
            const int c = part.trimmed().toInt(&ok);
            if (!ok || c < 1 || c > CCSVFile::kMaxFields) {
                parsed.error = QStringLiteral("--columns takes field numbers from 1 to %1 "
                                              "separated by commas, such as 3,1,2; not \"%2\".")
                                   .arg(CCSVFile::kMaxFields)
                                   .arg(columns);
                return parsed;
            }
            choices.columns.push_back(c);
        }
        if (choices.columns.size() > static_cast<std::size_t>(ImportTableModel::kMaxContactLines)) {
            parsed.error = QStringLiteral("--columns takes at most %1 fields: a label is made "
                                          "of at most %1 lines.")
                               .arg(ImportTableModel::kMaxContactLines);
            return parsed;
        }
    }
    if (!skipRows.isEmpty()) {
        bool ok = false;
        choices.skipRows = skipRows.trimmed().toInt(&ok);
        if (!ok || choices.skipRows < 0) {
            parsed.error = QStringLiteral("--skip-rows must be a whole number from 0, not \"%1\".")
                               .arg(skipRows);
            return parsed;
        }
    }
    if (!delimiter.isEmpty()) {
        for (const auto& d : CCSVFile::kDelimiters)
            if (delimiter.trimmed().compare(QLatin1String(d.name), Qt::CaseInsensitive) == 0)
                choices.delimiter = d.character;
        if (choices.delimiter == 0) {
            parsed.error = QStringLiteral("--delimiter must be tab, comma, pipe, colon or "
                                          "semicolon, not \"%1\".")
                               .arg(delimiter);
            return parsed;
        }
    }
    parsed.choices = std::move(choices);
    return parsed;
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

Result readFile(const QString& path, const ImportChoices& choices) {
    QFile file;
    if (const auto cause = RegularFile::open(file, path); cause != FileError::None) {
        Result failed;
        failed.error = FileError::cantOpenMessage(path, cause);
        return failed;
    }
    errno = 0;
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        auto cause = FileError::fromErrno(errno);
        Result failed;
        failed.error =
            FileError::standardMessage(cause == FileError::None ? FileError::HardIO : cause, path);
        return failed;
    }
    const QString suffix = QFileInfo(path).suffix().toLower();
    const Format* format = &formats().back();
    for (const Format& f : formats()) {
        if (f.suffixes.contains(suffix)) {
            format = &f;
            break;
        }
    }
    const bool contactList = format->reader == static_cast<Reader>(&readContactList);
    const bool plainText = format->reader == static_cast<Reader>(&readPlainText);
    if (choices.given && !contactList && !plainText)
        return optionsDoNotApply(path,
                                 QStringLiteral("a ") + format->name + QStringLiteral(" file"));
    // Options for a delimited file make any other file one, such as Excel's "Unicode Text".
    if (contactList || choices.given)
        return readContactListOf(std::move(bytes), path, choices);
    return format->reader(bytes, path);
}

} // namespace LabelInput
