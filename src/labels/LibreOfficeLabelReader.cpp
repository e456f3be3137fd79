#include "labels/LibreOfficeLabelReader.h"

#include <QRegularExpression>
#include <QSet>
#include <QXmlStreamReader>
#include <cmath>

namespace {

std::optional<LabelSheet::Paper> paperOf(double widthMm, double heightMm) {
    for (const LabelSheet::Paper p : {LabelSheet::Paper::A4, LabelSheet::Paper::Letter}) {
        const QSizeF s = LabelSheet::paperSize(p);
        if (std::abs(s.width() - widthMm) <= 0.5 && std::abs(s.height() - heightMm) <= 0.5)
            return p;
    }
    return std::nullopt;
}

} // namespace

bool LibreOfficeLabelReader::read(const QByteArray& xml, const QString& fileName) {
    QXmlStreamReader r(xml);
    QString maker;
    QSet<QString> seen; // maker and code, upper case
    while (!r.atEnd()) {
        r.readNext();
        if (!r.isStartElement())
            continue;
        if (r.name() == QLatin1String("manufacturer")) {
            maker = r.attributes().value(QLatin1String("name")).toString().trimmed();
            continue;
        }
        if (r.name() != QLatin1String("label"))
            continue;
        QString name, measure;
        while (!r.atEnd()) {
            r.readNext();
            if (r.isEndElement() && r.name() == QLatin1String("label"))
                break;
            if (r.isStartElement() && r.name() == QLatin1String("name"))
                name = r.readElementText().simplified();
            else if (r.isStartElement() && r.name() == QLatin1String("measure"))
                measure = r.readElementText().trimmed();
        }
        if (r.hasError())
            break;
        // "S;hpitch;vpitch;width;height;left;top;across;down;paper width;paper height".
        const QStringList f = measure.split(QLatin1Char(';'));
        if (f.size() != 11 || maker.isEmpty() || name.isEmpty()) {
            ++skipped_.impossible;
            continue;
        }
        if (f[0] != QLatin1String("S")) {
            ++skipped_.otherPaper; // continuous
            continue;
        }
        double raw[10] = {}, mm[10] = {};
        bool ok = true;
        for (int i = 1; i < 11 && ok; ++i) {
            raw[i - 1] = f[i].toDouble(&ok);
            ok = ok && std::isfinite(raw[i - 1]) && raw[i - 1] >= 0 && raw[i - 1] < 1e7;
            mm[i - 1] = raw[i - 1] / 100.0;
        }
        if (!ok || raw[6] != std::floor(raw[6]) || raw[7] != std::floor(raw[7])) {
            ++skipped_.impossible;
            continue;
        }
        const auto paper = paperOf(mm[8], mm[9]);
        if (!paper) {
            ++skipped_.otherPaper;
            continue;
        }
        LabelSheet s;
        s.origin = LabelSheet::Origin::LibreOffice;
        s.maker = maker;
        // "5160 Address": the code, then what the sheet is.
        const int space = name.indexOf(QLatin1Char(' '));
        const QString first = space < 0 ? name : name.left(space);
        const bool coded = first.contains(QRegularExpression(QStringLiteral("\\d")));
        s.codes = QStringList{coded ? first : name};
        s.description = coded && space > 0 ? name.mid(space + 1) : QString();
        s.paper = *paper;
        s.hpitch = mm[0];
        s.vpitch = mm[1];
        s.width = mm[2];
        s.height = mm[3];
        s.left = mm[4];
        s.top = mm[5];
        s.across = static_cast<int>(raw[6]);
        s.down = static_cast<int>(raw[7]);
        // A single column or row has no pitch of its own.
        if (s.across == 1)
            s.hpitch = s.width;
        if (s.down == 1)
            s.vpitch = s.height;
        s.family = QStringLiteral("%1 x %2, %3 x %4 mm")
                       .arg(s.across)
                       .arg(s.down)
                       .arg(LabelSheet::figure(s.width), LabelSheet::figure(s.height));
        s.source = fileName;
        if (!s.problems().isEmpty()) {
            ++skipped_.impossible;
            continue;
        }
        const QString key = maker.toUpper() + QLatin1Char('\n') + s.code().toUpper();
        if (seen.contains(key))
            continue; // the first entry names the sheet
        seen.insert(key);
        sheets_.push_back(std::move(s));
    }
    if (r.hasError()) {
        error_ = QStringLiteral("%1: not readable XML (%2, line %3).")
                     .arg(fileName, r.errorString())
                     .arg(r.lineNumber());
        return false;
    }
    return true;
}
