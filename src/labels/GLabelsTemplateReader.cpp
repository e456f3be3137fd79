#include "labels/GLabelsTemplateReader.h"

#include <QXmlStreamReader>
#include <cmath>

namespace {

QString keyOf(const QString& brand, const QString& part) {
    return brand.trimmed().toUpper() + QLatin1Char('\n') + part.trimmed().toUpper();
}

QString attribute(const QXmlStreamAttributes& a, const char* name) {
    return a.value(QLatin1String(name)).toString().trimmed();
}

// A paper the program prints on, or nullopt: sizes within half a millimetre of A4 or Letter.
std::optional<LabelSheet::Paper> paperOf(QSizeF mm) {
    for (const LabelSheet::Paper p : {LabelSheet::Paper::A4, LabelSheet::Paper::Letter}) {
        const QSizeF s = LabelSheet::paperSize(p);
        if (std::abs(s.width() - mm.width()) <= 0.5 && std::abs(s.height() - mm.height()) <= 0.5)
            return p;
    }
    return std::nullopt;
}

} // namespace

GLabelsTemplateReader::GLabelsTemplateReader(LabelSheet::Origin origin) : origin_(origin) {
    // The two papers a template needs most, for a user's templates read without the system's
    // paper list.
    papers_.insert(QStringLiteral("A4"), LabelSheet::paperSize(LabelSheet::Paper::A4));
    papers_.insert(QStringLiteral("US-Letter"), LabelSheet::paperSize(LabelSheet::Paper::Letter));
}

double GLabelsTemplateReader::lengthMm(const QString& text) {
    static const struct {
        const char* unit;
        double mm;
    } units[] = {{"mm", 1.0}, {"cm", 10.0}, {"in", 25.4}, {"pt", 25.4 / 72}, {"pc", 25.4 / 6}};
    QString t = text.trimmed();
    double scale = 25.4 / 72; // gLabels' own unit
    for (const auto& u : units)
        if (t.endsWith(QLatin1String(u.unit))) {
            t.chop(2);
            scale = u.mm;
            break;
        }
    bool ok = false;
    const double v = t.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(v) || v < 0 || v > 1e5)
        return -1;
    // To the micrometre: points given to three places would put a label covering A4 a
    // hair past its edge.
    return std::round(v * scale * 1000.0) / 1000.0;
}

void GLabelsTemplateReader::readPaperSizes(const QByteArray& xml) {
    QXmlStreamReader r(xml);
    while (!r.atEnd()) {
        r.readNext();
        if (r.isStartElement() && r.name() == QLatin1String("Paper-size")) {
            const auto a = r.attributes();
            const double w = lengthMm(attribute(a, "width"));
            const double h = lengthMm(attribute(a, "height"));
            if (w > 0 && h > 0)
                papers_.insert(attribute(a, "id"), QSizeF(w, h));
        }
    }
}

bool GLabelsTemplateReader::read(const QByteArray& xml, const QString& fileName) {
    QXmlStreamReader r(xml);
    while (!r.atEnd()) {
        r.readNext();
        if (!r.isStartElement() || r.name() != QLatin1String("Template"))
            continue;
        const auto a = r.attributes();
        Pending t{attribute(a, "brand"), attribute(a, "part"), attribute(a, "equiv"),
                  attribute(a, "_description"), fileName};
        if (t.description.isEmpty())
            t.description = attribute(a, "description");
        if (t.brand.isEmpty() || t.part.isEmpty()) {
            // Older files give the name as one attribute: "Avery 5160".
            const QString name = attribute(a, "name");
            const int space = name.indexOf(QLatin1Char(' '));
            if (space > 0) {
                t.brand = name.left(space);
                t.part = name.mid(space + 1).trimmed();
            }
        }
        const QString size = attribute(a, "size");
        QSizeF paper;
        if (size == QLatin1String("Other") || size.isEmpty())
            paper = QSizeF(lengthMm(attribute(a, "width")), lengthMm(attribute(a, "height")));
        else
            paper = papers_.value(size, QSizeF(-1, -1));

        // The template's shapes and layouts.
        int rectangles = 0, others = 0, layouts = 0;
        bool continuous = false;
        LabelSheet s;
        bool figuresOk = true;
        while (!r.atEnd()) {
            r.readNext();
            if (r.isEndElement() && r.name() == QLatin1String("Template"))
                break;
            if (!r.isStartElement())
                continue;
            const auto e = r.attributes();
            const auto name = r.name();
            if (name == QLatin1String("Label-rectangle")) {
                ++rectangles;
                s.width = lengthMm(attribute(e, "width"));
                s.height = lengthMm(attribute(e, "height"));
                const QString round = attribute(e, "round");
                if (!round.isEmpty() && lengthMm(round) >= 0)
                    s.radius = lengthMm(round);
                figuresOk = figuresOk && s.width > 0 && s.height > 0;
            } else if (name.startsWith(QLatin1String("Label-"))) {
                ++others;
                continuous = continuous || name == QLatin1String("Label-continuous");
            } else if (name == QLatin1String("Layout")) {
                ++layouts;
                bool nxOk = false, nyOk = false;
                s.across = attribute(e, "nx").toInt(&nxOk);
                s.down = attribute(e, "ny").toInt(&nyOk);
                s.left = lengthMm(attribute(e, "x0"));
                s.top = lengthMm(attribute(e, "y0"));
                const QString dx = attribute(e, "dx"), dy = attribute(e, "dy");
                s.hpitch = dx.isEmpty() ? s.width : lengthMm(dx);
                s.vpitch = dy.isEmpty() ? s.height : lengthMm(dy);
                figuresOk = figuresOk && nxOk && nyOk && s.left >= 0 && s.top >= 0 &&
                            s.hpitch >= 0 && s.vpitch >= 0;
            }
        }
        if (r.hasError())
            break;
        if (!t.equiv.isEmpty() && rectangles + others == 0) {
            equivs_.push_back(t);
            continue;
        }
        if (t.brand.isEmpty() || t.part.isEmpty() || !figuresOk) {
            ++skipped_.impossible;
            continue;
        }
        if (continuous) {
            ++skipped_.otherPaper; // a roll
            continue;
        }
        if (rectangles != 1 || others > 0) {
            ++skipped_.notRectangular;
            continue;
        }
        if (layouts != 1) {
            ++skipped_.notOneGrid;
            continue;
        }
        const auto p = paperOf(paper);
        if (!p) {
            ++skipped_.otherPaper;
            continue;
        }
        // A single column or row has no pitch of its own.
        if (s.across == 1)
            s.hpitch = s.width;
        if (s.down == 1)
            s.vpitch = s.height;
        s.paper = *p;
        s.origin = origin_;
        s.maker = t.brand;
        s.codes = QStringList{t.part};
        s.description = t.description;
        s.family = QStringLiteral("%1 x %2, %3 x %4 mm")
                       .arg(s.across)
                       .arg(s.down)
                       .arg(LabelSheet::figure(s.width), LabelSheet::figure(s.height));
        s.source = fileName;
        if (!s.problems().isEmpty()) {
            ++skipped_.impossible;
            continue;
        }
        take(std::move(s));
    }
    if (r.hasError()) {
        error_ = QStringLiteral("%1: not readable XML (%2, line %3).")
                     .arg(fileName, r.errorString())
                     .arg(r.lineNumber());
        return false;
    }
    return true;
}

void GLabelsTemplateReader::take(LabelSheet sheet) {
    const QString key = keyOf(sheet.maker, sheet.code());
    if (byKey_.contains(key))
        return; // the first file read names the template
    byKey_.insert(key, static_cast<int>(sheets_.size()));
    sheets_.push_back(std::move(sheet));
}

std::vector<LabelSheet> GLabelsTemplateReader::finish() {
    // An equivalent may name another equivalent: resolve until nothing more resolves.
    for (bool progress = true; progress && !equivs_.empty();) {
        progress = false;
        std::vector<Pending> left;
        for (const Pending& t : equivs_) {
            const auto base = byKey_.constFind(keyOf(t.brand, t.equiv));
            if (base == byKey_.constEnd()) {
                left.push_back(t);
                continue;
            }
            LabelSheet s = sheets_[static_cast<std::size_t>(*base)];
            s.codes = QStringList{t.part};
            if (!t.description.isEmpty())
                s.description = t.description;
            s.source = t.file;
            take(std::move(s));
            progress = true;
        }
        equivs_ = std::move(left);
    }
    skipped_.unresolved += static_cast<int>(equivs_.size());
    equivs_.clear();
    return sheets_;
}
