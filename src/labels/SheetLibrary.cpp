#include "labels/SheetLibrary.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

namespace {

constexpr double kMmPerInch = 25.4;

QString familyError(const QString& family, const QString& what) {
    return QStringLiteral("Sheet library, family \"%1\": %2.").arg(family, what);
}

std::optional<double> number(const QJsonObject& o, const char* key) {
    const QJsonValue v = o.value(QLatin1String(key));
    if (!v.isDouble())
        return std::nullopt;
    return v.toDouble();
}

std::optional<int> count(const QJsonObject& o, const char* key) {
    const auto v = number(o, key);
    if (!v || *v != static_cast<double>(static_cast<int>(*v)))
        return std::nullopt;
    return static_cast<int>(*v);
}

// Lower case, "×" as "x", decimal commas as points, "3x7" as "3 x 7", "30-up" as "30 up",
// single spaces.
QString normalised(QString text) {
    text = text.toLower();
    text.replace(QChar(0x00d7), QLatin1Char('x'));
    static const QRegularExpression comma(QStringLiteral("(\\d),(\\d)"));
    text.replace(comma, QStringLiteral("\\1.\\2"));
    static const QRegularExpression times(QStringLiteral("(\\d)\\s*x\\s*(\\d)"));
    text.replace(times, QStringLiteral("\\1 x \\2"));
    static const QRegularExpression up(QStringLiteral("(\\d)\\s*-?\\s*up\\b"));
    text.replace(up, QStringLiteral("\\1 up"));
    return text.simplified();
}

} // namespace

SheetLibrary::LoadResult SheetLibrary::parse(const QByteArray& json) {
    LoadResult result;
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &parseError);
    if (doc.isNull()) {
        result.error = QStringLiteral("Sheet library: not readable JSON (%1 at byte %2).")
                           .arg(parseError.errorString())
                           .arg(parseError.offset);
        return result;
    }
    const QJsonValue families = doc.object().value(QLatin1String("families"));
    if (!families.isArray()) {
        result.error = QStringLiteral("Sheet library: no list of families.");
        return result;
    }
    for (const QJsonValue& fv : families.toArray()) {
        const QJsonObject f = fv.toObject();
        const QString name = f.value(QLatin1String("name")).toString();
        LabelSheet layout;
        layout.family = name;
        layout.source = f.value(QLatin1String("source")).toString();
        if (name.isEmpty() || layout.source.isEmpty()) {
            result.error = familyError(name, QStringLiteral("a family needs a name and a source"));
            break;
        }
        const QString unit = f.value(QLatin1String("unit")).toString();
        if (unit != QLatin1String("mm") && unit != QLatin1String("in")) {
            result.error = familyError(name, QStringLiteral("unit must be mm or in"));
            break;
        }
        layout.unit =
            unit == QLatin1String("in") ? LabelSheet::Unit::Inch : LabelSheet::Unit::Millimetre;
        const QString paper = f.value(QLatin1String("paper")).toString();
        if (paper != QLatin1String("A4") && paper != QLatin1String("Letter")) {
            result.error = familyError(name, QStringLiteral("paper must be A4 or Letter"));
            break;
        }
        layout.paper =
            paper == QLatin1String("A4") ? LabelSheet::Paper::A4 : LabelSheet::Paper::Letter;
        const double scale = layout.unit == LabelSheet::Unit::Inch ? kMmPerInch : 1.0;
        struct Length {
            const char* key;
            double LabelSheet::*field;
        };
        static const Length lengths[] = {
            {"width", &LabelSheet::width},   {"height", &LabelSheet::height},
            {"hpitch", &LabelSheet::hpitch}, {"vpitch", &LabelSheet::vpitch},
            {"left", &LabelSheet::left},     {"top", &LabelSheet::top}};
        QString missing;
        for (const Length& l : lengths) {
            const auto v = number(f, l.key);
            if (!v)
                missing = QLatin1String(l.key);
            else
                layout.*(l.field) = *v * scale;
        }
        const auto across = count(f, "across");
        const auto down = count(f, "down");
        if (!across)
            missing = QStringLiteral("across");
        if (!down)
            missing = QStringLiteral("down");
        if (!missing.isEmpty()) {
            result.error =
                familyError(name, QStringLiteral("%1 is missing or not a number").arg(missing));
            break;
        }
        layout.across = *across;
        layout.down = *down;
        if (f.contains(QLatin1String("radius"))) {
            const auto r = number(f, "radius");
            if (!r || *r < 0) {
                result.error = familyError(name, QStringLiteral("radius is not a length"));
                break;
            }
            layout.radius = *r * scale;
        }
        const QStringList problems = layout.problems();
        if (!problems.isEmpty()) {
            result.error = familyError(name, problems.join(QStringLiteral("; ")));
            break;
        }
        const QJsonArray sheets = f.value(QLatin1String("sheets")).toArray();
        if (sheets.isEmpty()) {
            result.error = familyError(name, QStringLiteral("it lists no sheets"));
            break;
        }
        for (const QJsonValue& sv : sheets) {
            const QJsonObject s = sv.toObject();
            LabelSheet sheet = layout;
            sheet.maker = s.value(QLatin1String("maker")).toString();
            sheet.description = s.value(QLatin1String("description")).toString();
            for (const QJsonValue& c : s.value(QLatin1String("codes")).toArray())
                if (!c.toString().trimmed().isEmpty())
                    sheet.codes << c.toString().trimmed();
            if (sheet.maker.isEmpty() || sheet.codes.isEmpty()) {
                result.error =
                    familyError(name, QStringLiteral("a sheet needs a maker and a code"));
                break;
            }
            result.sheets.push_back(std::move(sheet));
        }
        if (!result.error.isEmpty())
            break;
    }
    if (!result.error.isEmpty())
        result.sheets.clear();
    return result;
}

const SheetLibrary::LoadResult& SheetLibrary::builtIn() {
    static const LoadResult library = [] {
        QFile file(kResourcePath);
        if (!file.open(QIODevice::ReadOnly)) {
            LoadResult missing;
            missing.error = QStringLiteral("Sheet library: the program's data is missing.");
            return missing;
        }
        return parse(file.readAll());
    }();
    return library;
}

std::vector<const LabelSheet*> SheetLibrary::find(const std::vector<LabelSheet>& sheets,
                                                  const QString& text,
                                                  std::optional<LabelSheet::Paper> paper) {
    // Sizes, layouts and counts are one term each and match whole; anything else is a word
    // that matches from its start.
    static const QRegularExpression terms(
        QStringLiteral("\\d+(?:\\.\\d+)?(?: \\d+/\\d+)? x \\d+(?:\\.\\d+)?(?: \\d+/\\d+)?"
                       "(?: (?:mm|in)\\b)?|\\d+ per sheet|\\d+ up\\b|\\S+"));
    std::vector<QRegularExpression> wanted;
    const QString query = normalised(text);
    for (auto it = terms.globalMatch(query); it.hasNext();) {
        const QString term = it.next().captured(0);
        const bool whole = term.contains(QLatin1Char(' '));
        // A number may follow letters, so "7160" finds L7160, but never other digits.
        const bool numeric = term.front().isDigit();
        QString pattern = QString::fromLatin1(numeric ? "(?<![\\d./])" : "(?<![\\w./])") +
                          QRegularExpression::escape(term);
        if (whole)
            pattern += QStringLiteral("(?![\\w./])");
        wanted.emplace_back(pattern);
    }
    std::vector<const LabelSheet*> found;
    for (const LabelSheet& sheet : sheets) {
        if (paper && sheet.paper != *paper)
            continue;
        const QString haystack = normalised(sheet.searchText());
        bool all = true;
        for (const QRegularExpression& re : wanted)
            if (!re.match(haystack).hasMatch()) {
                all = false;
                break;
            }
        if (all)
            found.push_back(&sheet);
    }
    return found;
}

const LabelSheet* SheetLibrary::byCode(const std::vector<LabelSheet>& sheets, const QString& code) {
    const QString wanted = code.trimmed();
    for (const LabelSheet& sheet : sheets)
        for (const QString& c : sheet.codes)
            if (c.compare(wanted, Qt::CaseInsensitive) == 0)
                return &sheet;
    return nullptr;
}
