#pragma once

#include "labels/LabelSheet.h"

#include <QByteArray>
#include <QHash>
#include <QSizeF>
#include <QString>
#include <vector>

// Reads gLabels' template files (its templates/*.xml and the user's *.template) into label
// sheets. Only what the program can print is taken: templates that are one grid of
// rectangular labels on A4 or US Letter; the rest is counted as skipped. Templates that name
// another as their equivalent ("equiv") take its layout once every file has been read.
class GLabelsTemplateReader {
public:
    struct Skipped {
        int notRectangular = 0; // round, elliptic and CD labels
        int notOneGrid = 0;     // several layouts, or none
        int otherPaper = 0;     // continuous rolls and papers other than A4 and US Letter
        int impossible = 0;     // labels off the paper or overlapping, or unreadable figures
        int unresolved = 0;     // an "equiv" naming no template read
        int total() const {
            return notRectangular + notOneGrid + otherPaper + impossible + unresolved;
        }
    };

    explicit GLabelsTemplateReader(LabelSheet::Origin origin);

    // Reads paper-sizes.xml: paper names to sizes in millimetres.
    void readPaperSizes(const QByteArray& xml);
    // Reads one template file; false, with the reason in error(), when it is not readable XML
    // (the templates read before the fault are kept).
    [[nodiscard]] bool read(const QByteArray& xml, const QString& fileName);
    // The sheets read, equivalents resolved.
    std::vector<LabelSheet> finish();

    const Skipped& skipped() const { return skipped_; }
    QString error() const { return error_; }

    // "2.625in", "210mm", "72pt", "6pc", "1cm", "72" (points) in millimetres; negative when
    // not a length.
    static double lengthMm(const QString& text);

private:
    struct Pending {
        QString brand, part, equiv, description, file;
    };
    void take(LabelSheet sheet);

    LabelSheet::Origin origin_;
    QHash<QString, QSizeF> papers_;
    std::vector<LabelSheet> sheets_;
    QHash<QString, int> byKey_; // brand and part, upper case, to sheets_
    std::vector<Pending> equivs_;
    Skipped skipped_;
    QString error_;
};
