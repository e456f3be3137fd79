#pragma once

#include "platform/ui/DialogUnits.h"

#include <QHash>
#include <QWidget>

class QLabel;

// A page of the settings sheet: controls placed at their template rectangles (dialog units
// of "Arial" 9 pt) and found again by their template ids. The sheet tells a page when it
// becomes the one shown and asks it before it is left.
class SheetPage : public QWidget {
    Q_OBJECT
public:
    explicit SheetPage(int templateWidth, int templateHeight, QWidget* parent = nullptr);

    QWidget* control(int id) const { return controls_.value(id); }
    template <typename T> T* control(int id) const { return qobject_cast<T*>(control(id)); }

    // The page is made the one shown. The first time, the page sets its controls up first.
    void activate();
    // The page is about to be left (another page, or OK): false keeps the user on it.
    virtual bool OnKillActive() { return true; }
    bool created() const { return created_; }

protected:
    // Run once, the first time the page is shown.
    virtual void OnInitDialog() {}
    // Run each time the page is shown, after OnInitDialog the first time.
    virtual void OnSetActive() {}

    // Places a control at a template rectangle and keeps it under its id (0: not kept).
    template <typename T> T* place(T* widget, int id, int x, int y, int w, int h) {
        placeWidget(widget, id, x, y, w, h);
        return widget;
    }
    // A static text; when a buddy is given, the text names it (tests find fields that way).
    QLabel* placeText(const QString& text, int x, int y, int w, int h,
                      Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter,
                      QWidget* buddy = nullptr);
    const DialogUnits& units() const { return units_; }

    // Reports a failed field check: the message, then the field gets the focus with its
    // text selected, so that typing replaces it.
    void failField(QWidget* field, const QString& message);

private:
    void placeWidget(QWidget* widget, int id, int x, int y, int w, int h);

    DialogUnits units_;
    QHash<int, QWidget*> controls_;
    bool created_ = false;
};
