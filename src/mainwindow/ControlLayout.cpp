#include "mainwindow/ControlLayout.h"

QRect ControlLayout::place(std::size_t index, QSize client) const {
    const Rule& rule = rules_[index];
    const Record& r = records_[index];
    int x = r.left, right = r.left + r.width;
    switch (rule.h) {
    case Horizontal::Left:
        break;
    case Horizontal::Right:
        right = client.width() - r.right;
        x = right - r.width;
        break;
    case Horizontal::Both:
        right = client.width() - r.right;
        break;
    }
    int y = r.top, bottom = r.top + r.height;
    switch (rule.v) {
    case Vertical::Top:
        break;
    case Vertical::Bottom:
        bottom = client.height() - r.bottom;
        y = bottom - r.height;
        break;
    case Vertical::Both:
        bottom = client.height() - r.bottom;
        break;
    }
    return QRect(x, y, right - x, bottom - y);
}

QRect ControlLayout::enforceMinimum(QRect rc, int edges) {
    // Right and bottom are exclusive here, as window rectangles are.
    int left = rc.left(), top = rc.top(), right = rc.left() + rc.width(),
        bottom = rc.top() + rc.height();
    if (right - left < kMinWidth) {
        if (edges & LeftEdge)
            left = right - kMinWidth;
        else
            right = left + kMinWidth;
    }
    if (bottom - top < kMinHeight) {
        if (edges & TopEdge)
            top = bottom - kMinHeight;
        else
            bottom = top + kMinHeight;
    }
    return QRect(left, top, right - left, bottom - top);
}
