#include "labels/SheetCatalogue.h"

#include "labels/SheetLibrary.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <cmath>

namespace {

// Template files are a few hundred kilobytes; anything far larger is not one.
constexpr qint64 kMaxFileSize = 16 * 1024 * 1024;

// The whole of a regular file, or a message: pipes, devices and folders are not read.
bool readFile(const QString& path, QByteArray& data, QString& problem) {
    const QFileInfo info(path);
    if (!info.isFile()) {
        problem = QStringLiteral("%1: not a file.").arg(path);
        return false;
    }
    if (info.size() > kMaxFileSize) {
        problem = QStringLiteral("%1: too large for a template file.").arg(path);
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        problem = QStringLiteral("%1: %2.").arg(path, file.errorString());
        return false;
    }
    data = file.read(kMaxFileSize + 1);
    return true;
}

void add(GLabelsTemplateReader::Skipped& to, const GLabelsTemplateReader::Skipped& from) {
    to.notRectangular += from.notRectangular;
    to.notOneGrid += from.notOneGrid;
    to.otherPaper += from.otherPaper;
    to.impossible += from.impossible;
    to.unresolved += from.unresolved;
}

} // namespace

SheetCatalogue::Places SheetCatalogue::Places::standard() {
    Places p;
    QString dirs = qEnvironmentVariable("XDG_DATA_DIRS");
    if (dirs.isEmpty())
        dirs = QStringLiteral("/usr/local/share:/usr/share");
    for (const QString& d : dirs.split(QLatin1Char(':'), Qt::SkipEmptyParts))
        if (!p.dataDirs.contains(d))
            p.dataDirs << d;
    p.userTemplates = QDir::homePath() + QStringLiteral("/.config/libglabels/templates");
    return p;
}

QString SheetCatalogue::keyOf(const LabelSheet& sheet, const QString& code) {
    // Avery Zweckform sheets are "Zweckform" in gLabels.
    QString maker = sheet.maker.trimmed().toUpper();
    if (maker == QLatin1String("AVERY ZWECKFORM"))
        maker = QStringLiteral("ZWECKFORM");
    return maker + QLatin1Char('\n') + code.trimmed().toUpper();
}

bool SheetCatalogue::agree(const LabelSheet& a, const LabelSheet& b) {
    if (a.paper != b.paper || a.across != b.across || a.down != b.down)
        return false;
    const double pa = a.across > 1 ? a.hpitch : a.width, pb = b.across > 1 ? b.hpitch : b.width;
    const double va = a.down > 1 ? a.vpitch : a.height, vb = b.down > 1 ? b.vpitch : b.height;
    for (const auto& [x, y] : {std::pair{a.width, b.width},
                               {a.height, b.height},
                               {pa, pb},
                               {va, vb},
                               {a.left, b.left},
                               {a.top, b.top}})
        if (std::abs(x - y) > kAgreement + 1e-6)
            return false;
    return true;
}

int SheetCatalogue::count(LabelSheet::Origin origin) const {
    const auto it = counts_.find(origin);
    return it == counts_.end() ? 0 : it->second;
}

SheetCatalogue SheetCatalogue::merge(const std::vector<std::vector<LabelSheet>>& sources) {
    SheetCatalogue c;
    QHash<QString, std::size_t> seen; // key to the first sheet with it
    for (std::size_t source = 0; source < sources.size(); ++source)
        for (const LabelSheet& sheet : sources[source]) {
            bool taken = false, dispute = false;
            for (const QString& code : sheet.codes) {
                const auto it = seen.constFind(keyOf(sheet, code));
                if (it == seen.constEnd())
                    continue;
                LabelSheet& first = c.sheets_[*it];
                // The built-in library's sheets are checked by hand: they win.
                if (first.origin == LabelSheet::Origin::BuiltIn || agree(first, sheet))
                    taken = true;
                else {
                    first.disputed = true;
                    dispute = true;
                }
            }
            if (taken)
                continue;
            const std::size_t at = c.sheets_.size();
            c.sheets_.push_back(sheet);
            c.sheets_.back().disputed = dispute;
            for (const QString& code : sheet.codes)
                if (!seen.contains(keyOf(sheet, code)))
                    seen.insert(keyOf(sheet, code), at);
            ++c.counts_[sheet.origin];
        }
    return c;
}

std::vector<std::vector<LabelSheet>>
SheetCatalogue::readDatabases(const Places& places, QStringList& problems,
                              GLabelsTemplateReader::Skipped& skipped) {
    GLabelsTemplateReader system(LabelSheet::Origin::GLabels);
    QStringList readDirs;
    for (const QString& d : places.dataDirs) {
        const QDir dir(d + QStringLiteral("/libglabels-3.0/templates"));
        const QString canonical = dir.canonicalPath();
        if (canonical.isEmpty() || readDirs.contains(canonical))
            continue;
        readDirs << canonical;
        QByteArray data;
        QString problem;
        if (readFile(dir.filePath(QStringLiteral("paper-sizes.xml")), data, problem))
            system.readPaperSizes(data);
        for (const QString& name :
             dir.entryList({QStringLiteral("*-templates.xml")}, QDir::Files, QDir::Name)) {
            if (!readFile(dir.filePath(name), data, problem))
                problems << problem;
            else if (!system.read(data, name))
                problems << system.error();
        }
    }

    // The user's own templates may use any paper the system's list names.
    GLabelsTemplateReader user(LabelSheet::Origin::UserGLabels);
    for (const QString& d : readDirs) {
        QByteArray data;
        QString problem;
        if (readFile(d + QStringLiteral("/paper-sizes.xml"), data, problem))
            user.readPaperSizes(data);
    }
    if (!places.userTemplates.isEmpty()) {
        const QDir userDir(places.userTemplates);
        for (const QString& name :
             userDir.entryList({QStringLiteral("*.template")}, QDir::Files, QDir::Name)) {
            QByteArray data;
            QString problem;
            if (!readFile(userDir.filePath(name), data, problem))
                problems << problem;
            else if (!user.read(data, name))
                problems << user.error();
        }
    }
    // The user's templates are theirs: they come before the system's.
    std::vector<std::vector<LabelSheet>> sources{user.finish(), system.finish()};
    add(skipped, system.skipped());
    add(skipped, user.skipped());
    return sources;
}

std::vector<LabelSheet> SheetCatalogue::databaseSheets(const Places& places) {
    QStringList problems;
    GLabelsTemplateReader::Skipped skipped;
    std::vector<LabelSheet> all;
    for (auto& source : readDatabases(places, problems, skipped))
        all.insert(all.end(), source.begin(), source.end());
    return all;
}

SheetCatalogue SheetCatalogue::load(const Places& places) {
    QStringList problems;
    GLabelsTemplateReader::Skipped skipped;
    std::vector<std::vector<LabelSheet>> sources;
    const SheetLibrary::LoadResult& builtIn = SheetLibrary::builtIn();
    if (!builtIn.ok())
        problems << builtIn.error;
    sources.push_back(builtIn.sheets);
    for (auto& source : readDatabases(places, problems, skipped))
        sources.push_back(std::move(source));
    SheetCatalogue c = merge(sources);
    c.skipped_ = skipped;
    c.problems_ = problems;
    return c;
}

const SheetCatalogue& SheetCatalogue::standard() {
    static const SheetCatalogue catalogue = load(Places::standard());
    return catalogue;
}
