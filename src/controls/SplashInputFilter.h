#pragma once

#include <QObject>

// Installed on the application (qApp->installEventFilter) so that a key or mouse-button press
// anywhere, in any window, hides a shown splash window and goes no further.
class CSplashInputFilter : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
