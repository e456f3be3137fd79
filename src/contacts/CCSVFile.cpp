#include "contacts/CCSVFile.h"

#include "contacts/ContactText.h"
#include "contacts/DelimitedImporter.h"
#include "contacts/DelimitedTable.h"
#include "platform/AppPaths.h"
#include "platform/Prompt.h"
#include "platform/RegularFile.h"
#include "platform/SaveFile.h"
#include "platform/Text.h"

#include <QFile>
#include <QSaveFile>
#include <algorithm>

namespace {

std::string_view view(const QByteArray& b) {
    return {b.constData(), static_cast<std::size_t>(b.size())};
}

} // namespace

CCSVFile::CCSVFile(QByteArray data, QString fileName, bool usStyle)
    : name(std::move(fileName)), us(usStyle) {
    // A file can be hundreds of megabytes: UTF-8 without zero characters is its own text and
    // is kept once; otherwise only the decoded text is kept.
    const std::string_view raw = view(data);
    found = Text::detectEncoding(raw);
    if (found == Text::Encoding::Utf8 && raw.find('\0') == std::string_view::npos) {
        bytes = std::move(data);
        textView = view(bytes);
    } else {
        decoded = Text::decodeAs(raw, found);
        textView = decoded;
    }
}

std::optional<QByteArray> CCSVFile::ReadFile(QString& fileName) {
    if (fileName.isEmpty())
        return std::nullopt;
    QFile file;
    if (RegularFile::open(file, fileName) != FileError::None) {
        showMessage(QStringLiteral("Can't open file: ") + fileName);
        fileName.clear();
        return std::nullopt;
    }
    if (file.size() > kMaxFileBytes) {
        showMessage(QStringLiteral("The file ") + AppPaths::lastComponent(fileName) +
                    QStringLiteral(" is too large to be a contact list (over 1 GB)."));
        return std::nullopt;
    }
    QByteArray all = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        // Opened but unreadable (a folder, a device error): the same report as a failed open.
        showMessage(QStringLiteral("Can't open file: ") + fileName);
        fileName.clear();
        return std::nullopt;
    }
    return all;
}

bool CCSVFile::ReadLine(const QByteArray& data, qsizetype& pos, std::string& line, bool wide) {
    line.clear();
    if (pos >= data.size())
        return false;
    while (pos < data.size()) {
        const auto c = static_cast<unsigned char>(data[pos++]);
        if (c == '\n')
            break;
        if (wide && (c == 0x00 || c >= 0xBB))
            continue;
        line += static_cast<char>(c);
    }
    return true;
}

CCSVFile::Format CCSVFile::DetectFormat() {
    const std::string_view text = textView;
    if (text.substr(0, text.find('\n')).find(kMarker) != std::string_view::npos)
        return OwnFormat;

    delim = 0;
    fieldLimitReached = false;
    const QString message = QStringLiteral("The file ") + AppPaths::lastComponent(name) +
                            QStringLiteral(" doesn't appear to be a standard .csv address file\n");
    if (text.empty()) {
        showMessage(message + QStringLiteral("(Couldn't be read)."));
        return NotUsable;
    }

    fields = 1;
    presence = 0;
    delimiterFields.fill(1);
    // One pass over the text: each line's count of every delimiter.
    std::array<int, kDelimiters.size()> counts{};
    std::array<int, 256> slot;
    slot.fill(-1);
    for (std::size_t d = 0; d < kDelimiters.size(); ++d)
        slot[static_cast<unsigned char>(kDelimiters[d].character)] = static_cast<int>(d);
    const auto endLine = [&]() {
        for (std::size_t d = 0; d < kDelimiters.size(); ++d) {
            if (counts[d] > 0) {
                presence |= 1u << d;
                if (delim == 0)
                    delim = kDelimiters[d].character;
            }
            delimiterFields[d] = std::max(delimiterFields[d], std::min(counts[d] + 1, kMaxFields));
        }
        int lineFields = 1;
        if (delim != 0)
            lineFields += counts[static_cast<std::size_t>(slot[static_cast<unsigned char>(delim)])];
        counts.fill(0);
        if (lineFields > kMaxFields) {
            showMessage(QStringLiteral("Maximum number of fields loaded"));
            fieldLimitReached = true;
            return false;
        }
        fields = std::max(fields, lineFields);
        return true;
    };
    const std::size_t n = text.size();
    std::size_t i = 0;
    while (i < n) {
        for (; i < n && text[i] != '\n' && text[i] != '\r'; ++i) {
            const int d = slot[static_cast<unsigned char>(text[i])];
            if (d >= 0)
                ++counts[static_cast<std::size_t>(d)];
        }
        if (i < n)
            i += (text[i] == '\r' && i + 1 < n && text[i + 1] == '\n') ? 2 : 1;
        if (!endLine())
            break;
    }
    if (delim != 0)
        return Foreign;
    showMessage(message +
                QStringLiteral(
                    "(couldn't find a single tab, comma, pipe, colon or semicolon in any row)."));
    return NotUsable;
}

int CCSVFile::fieldCount(char delimiter) const {
    std::size_t d = 0;
    while (d < kDelimiters.size() && kDelimiters[d].character != delimiter)
        ++d;
    if (d == kDelimiters.size())
        return fields;
    // The detected delimiter's count stops at a line over the limit, as the scan did.
    const int lines = delimiter == delim ? fields : delimiterFields[d];
    if (fieldLimitReached)
        return lines;
    // A quoted cell that spans lines makes a row wider than any of its lines.
    if (rowFields[d] < 0)
        rowFields[d] = DelimitedTable::Parse(textView, delimiter, 1).widestRow();
    return std::min(kMaxFields, std::max(lines, rowFields[d]));
}

void CCSVFile::ApplyUsStyle(std::string& t, int fieldIndex) const {
    if (!us || fieldIndex < 3 || t.empty())
        return;
    std::size_t i = t.size() - 1;
    while (i > 0 && (t[i] == '\r' || t[i] == '\n'))
        --i;
    int replaced = 0;
    while (i > 0 && replaced < 4) {
        --i;
        if (t[i] == '\r' || t[i] == '\n') {
            t[i] = ' ';
            ++replaced;
        }
    }
}

int CCSVFile::ReadContacts(CSortStrArray& list, bool* readInPart) const {
    if (readInPart != nullptr)
        *readInPart = false;
    // Lines are cut at ASCII characters only, so the decoded text splits as the bytes would.
    const std::string_view text = textView;
    std::size_t i = text.find('\n');
    if (i == std::string_view::npos)
        return 0;
    ++i;

    int appended = 0;
    std::string field;
    std::string contact;
    int fieldIndex = 0;
    bool quoted = false;
    const auto endRecord = [&]() {
        contact += field;
        ApplyUsStyle(contact, fieldIndex);
        contact.resize(ContactText::trimRight(contact).size());
        if (!contact.empty()) {
            list.Add(std::move(contact));
            ++appended;
        }
        field.clear();
        contact.clear();
        fieldIndex = 0;
        quoted = false;
        if (list.GetSize() >= kMaxContacts) {
            // Only a record with some text in it would have been a contact.
            const bool more = i + 1 < text.size() &&
                              text.find_first_not_of(" \t\r\n\v\f\"", i + 1) != std::string::npos;
            if (readInPart != nullptr)
                *readInPart = more;
            static_assert(kMaxContacts == 5000, "the message names the limit");
            showMessage(more ? QStringLiteral("Maximum of 5,000 addresses loaded\n\nThe file "
                                              "holds more, so Save Contacts asks for a new name "
                                              "instead of writing over it.")
                             : QStringLiteral("Maximum of 5,000 addresses loaded"));
            return false;
        }
        return true;
    };

    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '"') {
            // Inside quotes a doubled quote stands for one; any other quote opens or closes
            // (and is dropped, as in files written before quotes were doubled).
            if (quoted && i + 1 < text.size() && text[i + 1] == '"') {
                field += c;
                ++i;
            } else {
                quoted = !quoted;
            }
        } else if (c == '\t' && !quoted) {
            if (!field.empty()) {
                field += "\r\n";
                contact += field;
                ++fieldIndex;
                field.clear();
            }
        } else if (c == '\n') {
            field += c;
            if (!endRecord())
                return appended;
        } else {
            field += c;
        }
    }
    // The last record needs no line end; a record that ends in a quote or a TAB is kept too.
    if (text.back() != '\n' && (!field.empty() || !contact.empty()))
        endRecord();
    return appended;
}

bool CCSVFile::ImportContacts(CSortStrArray& list, DelimitedImporter& importer) const {
    auto contacts = importer.ImportContacts(*this);
    if (!contacts)
        return false;
    for (auto& c : *contacts)
        list.Add(std::move(c));
    return true;
}

QByteArray CCSVFile::WriteContacts(const CSortStrArray& list) {
    QByteArray out(kHeaderLine);
    for (const std::string& contact : list) {
        std::string line;
        line.reserve(contact.size());
        std::string field;
        // A TAB in the file ends a field unless it stands inside quotes, and a bare quote is
        // dropped by the reader: a field holding either is quoted, its quotes doubled.
        const auto endField = [&] {
            if (field.find_first_of("\t\"") == std::string::npos) {
                line += field;
            } else {
                line += '"';
                for (const char f : field) {
                    line += f;
                    if (f == '"')
                        line += '"';
                }
                line += '"';
            }
            field.clear();
        };
        for (const char c : contact) {
            if (c == '\n') {
                endField();
                line += '\t';
            } else if (c != '\r') {
                field += c;
            }
        }
        endField();
        const auto trimmed = ContactText::trim(line);
        out.append(trimmed.data(), static_cast<qsizetype>(trimmed.size()));
        out.append("\r\n");
    }
    return out;
}

QByteArray CCSVFile::WriteLabelTexts(const CSortStrArray& labels) {
    QByteArray out;
    for (const std::string& label : labels) {
        if (label.empty())
            continue;
        std::string line;
        line.reserve(label.size());
        for (std::size_t i = 0; i < label.size(); ++i) {
            if (label[i] == '\r' && i + 1 < label.size() && label[i + 1] == '\n') {
                line += '\t';
                ++i;
            } else {
                line += label[i];
            }
        }
        if (!line.empty() && line.back() == ',')
            line.pop_back();
        out.append(line.data(), static_cast<qsizetype>(line.size()));
        out.append('\n');
    }
    out.append(kEndLine);
    out.append("\r\n");
    return out;
}

CCSVFile::LabelTexts CCSVFile::ReadLabelTexts(const QByteArray& data, CSortStrArray& labels) {
    LabelTexts result;
    qsizetype pos = 0;
    qsizetype sectionEnd = 0;
    std::string line;
    int lines = 0;
    while (ReadLine(data, pos, line, false)) {
        if (line.find(kEndLine) != std::string::npos) {
            result.endLineFound = true;
            break;
        }
        if (++lines > kMaxLabels) {
            result.tooMany = true;
            return result;
        }
        sectionEnd = pos;
    }
    result.trailerOffset = pos;

    // The section's encoding is decided once; lines split at LF in either form. UTF-8 is
    // read in place.
    std::string converted;
    std::string_view text = view(data).substr(0, static_cast<std::size_t>(sectionEnd));
    if (!Text::isValidUtf8(text)) {
        converted = Text::fromWindows1252(text);
        text = converted;
    }
    std::size_t start = 0;
    while (start < text.size()) {
        auto end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string label;
        // Sized exactly (a TAB becomes CR LF): a list of a million labels carries no spare room.
        label.reserve(end - start +
                      static_cast<std::size_t>(
                          std::count(text.begin() + static_cast<std::ptrdiff_t>(start),
                                     text.begin() + static_cast<std::ptrdiff_t>(end), '\t')));
        for (std::size_t i = start; i < end; ++i) {
            if (text[i] == '\t')
                label += "\r\n";
            else
                label += text[i];
        }
        labels.Add(std::move(label));
        start = end + 1;
    }
    return result;
}

bool ReadContactFile(QString& name, CSortStrArray& list, bool usStyle, DelimitedImporter* importer,
                     bool& imported, bool* readInPart) {
    imported = false;
    if (readInPart != nullptr)
        *readInPart = false;
    if (name.isEmpty())
        return false;
    auto data = CCSVFile::ReadFile(name);
    if (!data)
        return false;
    return ReadContactBytes(std::move(*data), name, list, usStyle, importer, imported, readInPart);
}

bool ReadContactBytes(QByteArray data, const QString& name, CSortStrArray& list, bool usStyle,
                      DelimitedImporter* importer, bool& imported, bool* readInPart) {
    imported = false;
    if (readInPart != nullptr)
        *readInPart = false;
    CCSVFile file(std::move(data), name, usStyle);
    switch (file.DetectFormat()) {
    case CCSVFile::OwnFormat:
        (void)file.ReadContacts(list, readInPart);
        return true;
    case CCSVFile::Foreign:
        if (importer == nullptr || !file.ImportContacts(list, *importer))
            return false;
        imported = true;
        return true;
    case CCSVFile::NotUsable:
        break;
    }
    return false;
}

bool SaveContactFile(const QString& path, const CSortStrArray& list) {
    const auto outcome = SaveFile::write(path, CCSVFile::WriteContacts(list));
    if (!outcome.ok) {
        showMessage(QStringLiteral("The contact list couldn't be saved to ") + path +
                    QStringLiteral(".\n") + outcome.reason);
        return false;
    }
    return true;
}
