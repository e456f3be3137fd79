#include "labels/FieldCheck.h"

#include <QLocale>
#include <cmath>
#include <limits>

namespace FieldCheck {

namespace {

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t';
}

QString stripped(const QString& text) {
    qsizetype b = 0;
    qsizetype e = text.size();
    while (b < e && isBlank(text[b]))
        ++b;
    while (e > b && isBlank(text[e - 1]))
        --e;
    return text.mid(b, e - b);
}

} // namespace

std::optional<float> readFloat(const QString& text) {
    const QString s = stripped(text);
    // Only the plain decimal forms count; the C locale also reads "inf" and "nan".
    for (QChar c : s) {
        if (!(c.isDigit() && c.unicode() < 128) && c != u'.' && c != u'+' && c != u'-' &&
            c != u'e' && c != u'E')
            return std::nullopt;
    }
    bool ok = false;
    const double d = QLocale::c().toDouble(s, &ok);
    if (!ok || !std::isfinite(d))
        return std::nullopt;
    const float f = static_cast<float>(d);
    if (!std::isfinite(f))
        return std::nullopt;
    return f;
}

std::optional<std::uint32_t> readUnsigned(const QString& text) {
    const QString s = stripped(text);
    if (s.isEmpty())
        return std::nullopt;
    std::uint64_t v = 0;
    for (QChar c : s) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        v = v * 10 + static_cast<std::uint64_t>(c.unicode() - u'0');
        if (v > std::numeric_limits<std::uint32_t>::max())
            v = std::numeric_limits<std::uint32_t>::max();
    }
    return static_cast<std::uint32_t>(v);
}

std::uint32_t leadingNumber(const QString& text) {
    const QString s = stripped(text);
    std::uint64_t v = 0;
    for (QChar c : s) {
        if (c < u'0' || c > u'9')
            break;
        v = v * 10 + static_cast<std::uint64_t>(c.unicode() - u'0');
        if (v > std::numeric_limits<std::uint32_t>::max())
            v = std::numeric_limits<std::uint32_t>::max();
    }
    return static_cast<std::uint32_t>(v);
}

QString formatFloat(float value) {
    // Six significant digits: what single precision holds reliably.
    return QString::number(static_cast<double>(value), 'g', 6);
}

QString notANumber() {
    return QStringLiteral("Enter a number.");
}

QString notAPositiveInteger() {
    return QStringLiteral("Enter a positive integer.");
}

QString numberRange(float low, float high) {
    return QStringLiteral("Enter a number between %1 and %2.")
        .arg(formatFloat(low), formatFloat(high));
}

QString integerRange(std::uint32_t low, std::uint32_t high) {
    return QStringLiteral("Enter an integer between %1 and %2.").arg(low).arg(high);
}

} // namespace FieldCheck
