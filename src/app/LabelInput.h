#pragma once

#include "labels/LabelPreferences.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>
#include <string>
#include <vector>

// Reading label texts for the headless print program. Each kind of input is one reader
// function from the file's bytes to labels; readFile picks the reader by the file's ending.
namespace LabelInput {

struct Result {
    std::vector<std::string> labels; // UTF-8, lines separated by CR LF
    // Settings a file carries with its labels (a label list does); the command line's
    // options are applied on top.
    std::optional<LabelPreferences> format;
    std::optional<std::string> faceName;
    QString error; // the message for the user; empty on success
    // The error is the options' (delimited-file options for an input that is no such file).
    bool badOptions = false;
    bool ok() const { return error.isEmpty(); }
};

// path names the file in messages.
using Reader = Result (*)(const QByteArray& bytes, const QString& path);

struct Format {
    QString name;
    QStringList suffixes; // lower case, without the dot; empty for the fallback
    Reader reader;
};

// No input gives more labels than this: far beyond any print job, it keeps a file of tiny
// labels from taking many times its size in memory. A file with more is refused.
inline constexpr std::size_t kMaxLabels = 1000000;

// Plain text: one label per paragraph, paragraphs separated by blank lines. Decoded as the
// window decodes contact files: UTF-8 with or without its mark, UTF-16 of either byte order
// with or without its mark, else Windows-1252.
Result readPlainText(const QByteArray& bytes, const QString& path = {});

// A label list file: its labels, with the sheet and font settings it was saved with. A file
// that ends before its settings is refused, so that nothing prints on a guessed sheet.
Result readLabelList(const QByteArray& bytes, const QString& path);

// What the import dialog would be told for a delimited file that is not a contact list.
struct ImportChoices {
    std::vector<int> columns; // 1-based fields in the order wanted; empty: the first eight
    int skipRows = 0;         // rows dropped from the top, such as a heading row
    char delimiter = 0;       // 0: the one the file's detection found
    bool given = false;       // any of them was asked for, even as its default
};

// A contact list file: each contact one label, in file order. Another delimited file is
// imported as the import dialog would import it after the given choices.
Result readContactList(const QByteArray& bytes, const QString& path);
Result readContactList(const QByteArray& bytes, const QString& path, const ImportChoices& choices);
// The same, taking the bytes over.
Result readContactListOf(QByteArray bytes, const QString& path, const ImportChoices& choices);

// The choices from their command-line spellings: "3,1,2", "1", "comma". nullopt and a message
// for the user when a value is not understood.
struct ParsedChoices {
    std::optional<ImportChoices> choices;
    QString error;
};
ParsedChoices parseImportChoices(const QString& columns, const QString& skipRows,
                                 const QString& delimiter);

// A vCard file (an address book's export): each card one label, in file order, built as the
// address book builds its contacts.
Result readVCards(const QByteArray& bytes, const QString& path);

// The known inputs; the last one is taken for any other ending.
const std::vector<Format>& formats();

// Reads a file with the reader for its ending; an unreadable file gives
// "Can't open file: <path>. Error = <n>". The choices apply to delimited files: given, they
// make a file of any other ending (a .txt export) read as one, and for a label list, a
// vCard file or a contact list they are an error.
Result readFile(const QString& path, const ImportChoices& choices = {});

} // namespace LabelInput
