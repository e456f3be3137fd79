#pragma once

#include "contacts/CSortStrArray.h"
#include "platform/Text.h"

#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

class DelimitedImporter;

// Contact list files: TAB-separated text, a marker line first, one contact per line. The
// class also recognises other delimited files (for the import dialog) and reads and writes
// the text section of label list files. Parsing and writing work on bytes; the static
// file functions open, read and atomically replace files around them.
class CCSVFile {
public:
    enum Format { NotUsable = 0, Foreign = 1, OwnFormat = 2 };

    struct Delimiter {
        char character;
        const char* name;
    };
    // In priority order; the index is the bit in the presence mask.
    static constexpr std::array<Delimiter, 5> kDelimiters = {
        {{'\t', "Tab"}, {',', "Comma"}, {'|', "Pipe"}, {':', "Colon"}, {';', "Semicolon"}}};
    static constexpr int kMaxContacts = 5000;
    // The most labels a label list file gives: far beyond any real list, it keeps a file of
    // empty lines from taking many times its size in memory.
    static constexpr int kMaxLabels = 1000000;
    static constexpr int kMaxFields = 300;
    static constexpr const char* kMarker = "|QMK|";
    static constexpr const char* kHeaderLine = "|QMK|\tCreated\twith\tQuillmark\r\n";
    static constexpr const char* kEndLine = "|end|";

    // Files larger than this are not read: no address list comes near it, and the import
    // table keeps 32-bit offsets.
    static constexpr qint64 kMaxFileBytes = qint64(1) << 30;

    // fileName is used for messages only. The bytes are decoded once, here: UTF-8 with or
    // without its mark, UTF-16 of either byte order, or Windows-1252 (see Text::decodeFile).
    CCSVFile(QByteArray data, QString fileName, bool usStyle);
    virtual ~CCSVFile() = default;
    // The text view points into the object itself.
    CCSVFile(const CCSVFile&) = delete;
    CCSVFile& operator=(const CCSVFile&) = delete;

    // Reads a whole file. When it cannot be opened, shows "Can't open file: " + name,
    // empties name and returns nullopt; an empty name opens nothing. A file over
    // kMaxFileBytes is refused with a message of its own.
    static std::optional<QByteArray> ReadFile(QString& name);

    // 2 for the own format, 1 for another delimited file (delimiter, presence mask and
    // field counts set), 0 when not usable (a message was shown). Works on the decoded text,
    // so UTF-16 files are recognised; LF, CR LF and a lone CR all end a line.
    Format DetectFormat();
    // Appends the own-format contacts to list; returns how many were appended. readInPart,
    // when given, tells whether the limit left contacts of the file unread.
    int ReadContacts(CSortStrArray& list, bool* readInPart = nullptr) const;
    // Runs the importer on this (foreign) file and appends its contacts; false if cancelled.
    [[nodiscard]] bool ImportContacts(CSortStrArray& list, DelimitedImporter& importer) const;
    // With the US-style flag and at least three TAB-ended fields: joins the last three lines
    // of t with two spaces each.
    void ApplyUsStyle(std::string& t, int fieldIndex) const;
    // One line from pos up to LF (not kept); in wide mode bytes 0x00 and 0xBB-0xFF are
    // skipped. False at the end of the data.
    static bool ReadLine(const QByteArray& data, qsizetype& pos, std::string& line, bool wide);

    // The whole contact list file for list, in list order.
    static QByteArray WriteContacts(const CSortStrArray& list);

    // The label lines and the end line of a label list file.
    static QByteArray WriteLabelTexts(const CSortStrArray& labels);
    struct LabelTexts {
        qsizetype trailerOffset = 0; // where the bytes after the end line start
        bool endLineFound = false;
        bool tooMany = false; // more than kMaxLabels lines: none was appended
    };
    // Appends the labels read from the start of data to labels.
    static LabelTexts ReadLabelTexts(const QByteArray& data, CSortStrArray& labels);

    // The file as UTF-8.
    std::string_view text() const { return textView; }
    Text::Encoding encoding() const { return found; }
    const QString& fileName() const { return name; }
    std::uint32_t presenceMask() const { return presence; }
    char delimiter() const { return delim; }
    int fieldCount() const { return fieldCount(delim); }
    // The largest number of fields in one line, or in one row whose quoted cells span lines,
    // when split at this delimiter (at most kMaxFields), so that the import dialog shows every
    // field whichever delimiter is chosen.
    int fieldCount(char delimiter) const;
    bool usStyle() const { return us; }

private:
    QByteArray bytes; // kept only when it is the text
    QString name;
    std::uint32_t presence = 0;
    char delim = 0;
    int fields = 0;
    std::array<int, kDelimiters.size()> delimiterFields{};
    // Fields of the widest row as the import table splits it, per delimiter; counted on
    // first use, -1 until then.
    mutable std::array<int, kDelimiters.size()> rowFields = {-1, -1, -1, -1, -1};
    bool fieldLimitReached = false; // the scan stopped at a line over kMaxFields
    std::string decoded;            // the text when it differs from the bytes
    std::string_view textView;      // into bytes or decoded; both stay where they are once set
    Text::Encoding found = Text::Encoding::Utf8;
    bool us = false;
};

// Reads a contact list file into list (appending, in file order) for LoadContacts and the
// print tool. A foreign delimited file goes to importer; without one it is not loaded.
// Returns true on success; imported is set when the contacts came through the importer.
// name is emptied when the file cannot be opened. readInPart, when given, is set when the
// contact limit left some of the file's contacts unread.
[[nodiscard]] bool ReadContactFile(QString& name, CSortStrArray& list, bool usStyle,
                                   DelimitedImporter* importer, bool& imported,
                                   bool* readInPart = nullptr);

// The same for a file's bytes already read; name is for messages.
[[nodiscard]] bool ReadContactBytes(QByteArray data, const QString& name, CSortStrArray& list,
                                    bool usStyle, DelimitedImporter* importer, bool& imported,
                                    bool* readInPart = nullptr);

// Writes list as a contact list file, replacing path only when the whole file was written.
// On failure shows a message and returns false; the old file is untouched.
[[nodiscard]] bool SaveContactFile(const QString& path, const CSortStrArray& list);
