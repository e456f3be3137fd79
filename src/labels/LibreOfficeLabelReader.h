#pragma once

#include "labels/GLabelsTemplateReader.h"
#include "labels/LabelSheet.h"

#include <QByteArray>
#include <QString>
#include <vector>

// Reads LibreOffice's list of label sheets (share/labels/labels.xml): manufacturers, each
// with labels whose <measure> gives the sheet in hundredths of a millimetre. Only single
// sheets of A4 or US Letter are taken; the rest is counted as skipped.
class LibreOfficeLabelReader {
public:
    // False, with the reason in error(), when the file is not readable XML (the labels read
    // before the fault are kept).
    [[nodiscard]] bool read(const QByteArray& xml, const QString& fileName);

    const std::vector<LabelSheet>& sheets() const { return sheets_; }
    const GLabelsTemplateReader::Skipped& skipped() const { return skipped_; }
    QString error() const { return error_; }

private:
    std::vector<LabelSheet> sheets_;
    GLabelsTemplateReader::Skipped skipped_;
    QString error_;
};
