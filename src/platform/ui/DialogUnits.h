#pragma once

#include <QFont>
#include <QRect>

// Dialog templates are laid out in dialog units of the "Arial" 9 pt font: a horizontal unit
// is a quarter of the average width of A-Z and a-z, a vertical unit an eighth of the height.
class DialogUnits {
public:
    DialogUnits();
    explicit DialogUnits(const QFont& font);

    QRect toPixels(int x, int y, int w, int h) const;
    int toPixelsX(int units) const;
    int toPixelsY(int units) const;
    int baseX() const { return baseX_; }
    int baseY() const { return baseY_; }
    static QFont dialogFont();

private:
    int baseX_;
    int baseY_;
};
