#pragma once

#include "contacts/CSortStrArray.h"
#include "labels/LabelPreferences.h"

#include <QByteArray>
#include <QString>
#include <string>

// Label list files (.lbl): the label texts, one line each, the end line "|end|", then a
// trailer with the sheet geometry and the font settings that were current when the list was
// saved. Works on bytes only; opening and replacing the file is the caller's.
namespace LabelListFile {

inline const QString kFilter = QStringLiteral("Label Files (*.lbl)|*.lbl||");
inline const QString kExtension = QStringLiteral("lbl");

// The whole file for labels, writing the geometry and font fields of prefs and fontName
// (UTF-8) as the trailer.
[[nodiscard]] QByteArray write(const CSortStrArray& labels, const LabelPreferences& prefs,
                               const std::string& fontName);

struct ReadResult {
    int labelsRead = 0;
    bool endLineFound = false;
    // Geometry, face name, italic, bold, alignment and the largest font size were all there
    // and have been applied; a cut trailer changes none of them.
    bool trailerRead = false;
    // Older files end before the margin byte; the current margin then stays.
    bool marginRead = false;
    // The file holds more than CCSVFile::kMaxLabels labels: nothing was read or applied.
    bool tooManyLabels = false;
    bool ok() const { return endLineFound && trailerRead; }
};

// Appends the labels of data to labels (also when the file turns out to be cut short) and
// applies the trailer to prefs and fontName. Never fails on malformed bytes: what could be
// read is kept and the result says what was missing.
[[nodiscard]] ReadResult read(const QByteArray& data, CSortStrArray& labels,
                              LabelPreferences& prefs, std::string& fontName);

// The 1-based number of the first label that holds the end-line text and so would end the
// list early when read back; 0 when every label can be stored.
int unstorableLabel(const CSortStrArray& labels);

} // namespace LabelListFile
