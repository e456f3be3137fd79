#pragma once

#include "labels/GLabelsTemplateReader.h"
#include "labels/LabelSheet.h"

#include <QStringList>
#include <map>
#include <vector>

// Every label sheet the program knows: the built-in library and the label databases installed
// on this machine (gLabels' templates, the user's own gLabels templates), each sheet once.
// Where a code is in several sources the built-in sheet wins; where two databases give one
// code layouts more than 0.2 mm apart, both are kept and marked as disputed.
class SheetCatalogue {
public:
    struct Places {
        QStringList dataDirs;  // each holds libglabels-3.0/templates
        QString userTemplates; // ~/.config/libglabels/templates
        // The folders of $XDG_DATA_DIRS and the user's own templates folder.
        static Places standard();
    };

    // Reads the built-in library and every database found; a database missing or unreadable
    // leaves the rest (its message in problems()).
    static SheetCatalogue load(const Places& places);
    // The standard places, read once.
    static const SheetCatalogue& standard();

    // The installed databases' sheets as read, before merging (for checking them).
    static std::vector<LabelSheet> databaseSheets(const Places& places);

    // Merges sources given in order of precedence (the built-in library first).
    static SheetCatalogue merge(const std::vector<std::vector<LabelSheet>>& sources);

    const std::vector<LabelSheet>& sheets() const { return sheets_; }
    int count(LabelSheet::Origin origin) const;
    const GLabelsTemplateReader::Skipped& skipped() const { return skipped_; }
    QStringList problems() const { return problems_; }

    static constexpr double kAgreement = 0.2; // mm
    // Whether two sheets' paper and eight figures agree within kAgreement.
    static bool agree(const LabelSheet& a, const LabelSheet& b);
    // The maker and code that name a sheet in every source ("ZWECKFORM\n3651").
    static QString keyOf(const LabelSheet& sheet, const QString& code);

private:
    // The user's templates, then the system's: each source as read.
    static std::vector<std::vector<LabelSheet>>
    readDatabases(const Places& places, QStringList& problems,
                  GLabelsTemplateReader::Skipped& skipped);

    std::vector<LabelSheet> sheets_;
    std::map<LabelSheet::Origin, int> counts_;
    GLabelsTemplateReader::Skipped skipped_;
    QStringList problems_;
};
