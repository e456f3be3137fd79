#include "labels/SheetLibrary.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>

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
        layout.note = f.value(QLatin1String("note")).toString();
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
            if (s.contains(QLatin1String("note")))
                sheet.note = s.value(QLatin1String("note")).toString();
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

namespace {

// "1 3/4", "2-5/8", "1.33", "44,45" (already with points) as a number; nullopt otherwise.
std::optional<double> valueOf(const QString& text) {
    static const QRegularExpression re(
        QStringLiteral("^(\\d+(?:\\.\\d+)?)(?:[ -](\\d+)/(\\d+))?$|^(\\d+)/(\\d+)$"));
    const auto m = re.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    if (!m.captured(4).isEmpty()) {
        const double d = m.captured(5).toDouble();
        return d > 0 ? std::optional(m.captured(4).toDouble() / d) : std::nullopt;
    }
    double v = m.captured(1).toDouble();
    if (!m.captured(2).isEmpty()) {
        const double d = m.captured(3).toDouble();
        if (!(d > 0))
            return std::nullopt;
        v += m.captured(2).toDouble() / d;
    }
    return v;
}

// How far a typed figure may be from the sheet's: half its last digit (fractions are exact),
// and a little for the figures published to hundredths.
double toleranceOf(const QString& text) {
    const int point = text.indexOf(QLatin1Char('.'));
    if (point < 0 || text.contains(QLatin1Char('/')))
        return 0.006;
    const int decimals = static_cast<int>(text.size()) - point - 1;
    return 0.5 * std::pow(10.0, -decimals) + 0.006;
}

struct SizeTerm {
    QString a, b; // as typed
    double x = 0, y = 0;
    QString unit; // "mm", "in" or empty
};

bool near(double sheet, double typed, double tolerance) {
    return std::abs(sheet - typed) <= tolerance + 1e-9;
}

// A size "a x b" is a layout (across x down), or the label's size in mm or inches, either
// way round.
bool sizeMatches(const SizeTerm& t, const LabelSheet& s) {
    const bool whole = !t.a.contains(QLatin1Char('.')) && !t.a.contains(QLatin1Char('/')) &&
                       !t.b.contains(QLatin1Char('.')) && !t.b.contains(QLatin1Char('/'));
    if (t.unit.isEmpty() && whole && s.across == static_cast<int>(t.x) &&
        s.down == static_cast<int>(t.y))
        return true;
    const double ta = toleranceOf(t.a), tb = toleranceOf(t.b);
    auto fits = [&](double scale) {
        const double w = s.width / scale, h = s.height / scale;
        return (near(w, t.x, ta) && near(h, t.y, tb)) || (near(h, t.x, ta) && near(w, t.y, tb));
    };
    if (t.unit != QLatin1String("in") && fits(1.0))
        return true;
    return t.unit != QLatin1String("mm") && fits(kMmPerInch);
}

// "J8160-25", "L7160-100": a code as printed on a pack of that many sheets.
QString withoutPackCount(const QString& code) {
    static const QRegularExpression pack(QStringLiteral("^(.*[A-Za-z].*\\d)-\\d+$"));
    const auto m = pack.match(code.trimmed());
    return m.hasMatch() ? m.captured(1) : QString();
}

} // namespace

std::vector<const LabelSheet*> SheetLibrary::find(const std::vector<LabelSheet>& sheets,
                                                  const QString& text,
                                                  std::optional<LabelSheet::Paper> paper) {
    // A pack code searches for its sheet.
    QString typed = text.trimmed();
    if (const QString base = withoutPackCount(typed); !base.isEmpty() && byCode(sheets, base))
        typed = base;

    // Sizes and layouts are one term each and match by value; counts match whole; anything
    // else is a word that matches from its start.
    static const QRegularExpression terms(
        QStringLiteral("(\\d+[ -]\\d+/\\d+|\\d+/\\d+|\\d+(?:\\.\\d+)?)(?: ?(?:\"|in\\b))? x "
                       "(\\d+[ -]\\d+/\\d+|\\d+/\\d+|\\d+(?:\\.\\d+)?) ?(\"|in\\b|mm\\b)?"
                       "|\\d+ per sheet|\\d+ up\\b|\\S+"));
    std::vector<QRegularExpression> wanted;
    std::vector<SizeTerm> sizes;
    QString query = normalised(typed);
    query.replace(QStringLiteral("\u2033"), QStringLiteral("\""));
    static const QRegularExpression inchMark(QStringLiteral("(\\d)\"\\s*x"));
    query.replace(inchMark, QStringLiteral("\\1\" x"));
    static const QRegularExpression inchMarkX(QStringLiteral("(\\d)\"x"));
    query.replace(inchMarkX, QStringLiteral("\\1\" x"));
    for (auto it = terms.globalMatch(query); it.hasNext();) {
        const auto m = it.next();
        const QString term = m.captured(0);
        if (!m.captured(2).isEmpty()) {
            const auto x = valueOf(m.captured(1));
            const auto y = valueOf(m.captured(2));
            if (x && y) {
                const QString unit = m.captured(3);
                sizes.push_back({m.captured(1), m.captured(2), *x, *y,
                                 unit == QLatin1String("mm") ? unit
                                 : unit.isEmpty()            ? QString()
                                                             : QStringLiteral("in")});
                if (m.captured(0).contains(QLatin1Char('"')) && unit.isEmpty())
                    sizes.back().unit = QStringLiteral("in");
                continue;
            }
        }
        // Punctuation between terms ("3 x 7, 63.5 x 38.1 mm") is not a word.
        if (!term.contains(QRegularExpression(QStringLiteral("\\w"))))
            continue;
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
        bool all = true;
        for (const SizeTerm& t : sizes)
            if (!sizeMatches(t, sheet)) {
                all = false;
                break;
            }
        if (!all)
            continue;
        const QString haystack = wanted.empty() ? QString() : normalised(sheet.searchText());
        for (const QRegularExpression& re : wanted)
            if (!re.match(haystack).hasMatch()) {
                all = false;
                break;
            }
        if (all)
            found.push_back(&sheet);
    }
    // A sheet sold under exactly the code typed comes first: "8160" is Avery 8160, not the
    // A4 sheet that also carries J8160.
    std::stable_partition(found.begin(), found.end(), [&](const LabelSheet* s) {
        for (const QString& c : s->codes)
            if (c.compare(typed, Qt::CaseInsensitive) == 0)
                return true;
        return false;
    });
    return found;
}

const LabelSheet* SheetLibrary::byCode(const std::vector<LabelSheet>& sheets, const QString& code) {
    for (const QString& wanted : {code.trimmed(), withoutPackCount(code)})
        for (const LabelSheet& sheet : sheets)
            for (const QString& c : sheet.codes)
                if (!wanted.isEmpty() && c.compare(wanted, Qt::CaseInsensitive) == 0)
                    return &sheet;
    return nullptr;
}
