#include "mainwindow/TipText.h"

#include <QFontMetrics>
#include <QStringList>
#include <QToolTip>

QString TipText::wrap(const QString& text, const QFont& font, int width) {
    const QFontMetrics metrics(font);
    QStringList lines;
    for (const QString& paragraph : text.split(QLatin1Char('\n'))) {
        QString line;
        for (const QString& word : paragraph.split(QLatin1Char(' '))) {
            const QString longer = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
            if (!line.isEmpty() && metrics.horizontalAdvance(longer) > width) {
                lines << line;
                line = word;
            } else {
                line = longer;
            }
        }
        lines << line;
    }
    return lines.join(QLatin1Char('\n'));
}

QString TipText::wrap(const QString& text) {
    return wrap(text, QToolTip::font());
}
