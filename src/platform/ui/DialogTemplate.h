#pragma once

#include "platform/ui/DialogUnits.h"

#include <QHash>
#include <QSize>
#include <QWidget>

// Places a dialog's controls at their template rectangles (dialog units) and keeps the
// ones that have a template id, so they can be looked up by it.
class DialogTemplate {
public:
    // The owner takes the dialog font, in which the units are measured.
    explicit DialogTemplate(QWidget* owner) : owner_(owner) {
        owner_->setFont(DialogUnits::dialogFont());
    }

    // Puts w at the rectangle; id 0 for controls without one (captions, group boxes).
    template <typename T> T* place(T* w, int id, int x, int y, int width, int height) {
        w->setParent(owner_);
        w->setGeometry(units_.toPixels(x, y, width, height));
        if (id != 0) {
            w->setProperty("controlId", id);
            controls_.insert(id, w);
        }
        return w;
    }

    QSize size(int width, int height) const {
        return {units_.toPixelsX(width), units_.toPixelsY(height)};
    }

    QWidget* control(int id) const { return controls_.value(id); }

private:
    QWidget* owner_;
    DialogUnits units_;
    QHash<int, QWidget*> controls_;
};
