#pragma once

#include <QFont>
#include <QString>

// The main window's tooltips wrap at 260 pixels: long tips are broken into lines between
// words (a word wider than that keeps a line of its own).
namespace TipText {

constexpr int kWrapWidth = 260;

// The text as lines no wider than width in font; the tooltip font when none is given.
QString wrap(const QString& text, const QFont& font, int width = kWrapWidth);
QString wrap(const QString& text);

} // namespace TipText
