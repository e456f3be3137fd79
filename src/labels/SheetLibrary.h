#pragma once

#include "labels/LabelSheet.h"

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

// The library of commercial label sheets: read from the JSON data file that is built into
// the program (and installed beside it), searched by the sheet picker and quillmark-print.
class SheetLibrary {
public:
    struct LoadResult {
        std::vector<LabelSheet> sheets;
        QString error; // empty when the data was read in full
        bool ok() const { return error.isEmpty(); }
    };

    // Reads the library's JSON. A malformed file, a missing or mistyped figure, or a sheet
    // that cannot exist is refused as a whole with a message naming the family.
    static LoadResult parse(const QByteArray& json);

    // The library built into the program, read once.
    static const LoadResult& builtIn();
    static inline const QString kResourcePath = QStringLiteral(":/quillmark/sheets.json");

    // The sheets matching a search, in library order. Every word of the text must occur:
    // codes and words match from their start ("L716" finds L7160 to L7169), while sizes,
    // layouts and counts match whole ("3 x 7", "63.5 x 38.1", "21 per sheet", "30-up").
    // An empty text matches every sheet; paper, when given, keeps only that paper.
    // A caller that searches the same sheets on every keystroke passes their searchTexts(),
    // computed once.
    static std::vector<const LabelSheet*> find(const std::vector<LabelSheet>& sheets,
                                               const QString& text,
                                               std::optional<LabelSheet::Paper> paper = {},
                                               const std::vector<QString>* texts = nullptr);
    // What find() matches words against, one per sheet.
    static std::vector<QString> searchTexts(const std::vector<LabelSheet>& sheets);
    // The sheet sold under a code, compared without regard to case; nullptr when none.
    static const LabelSheet* byCode(const std::vector<LabelSheet>& sheets, const QString& code);
};
