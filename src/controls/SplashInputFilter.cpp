#include "controls/SplashInputFilter.h"

#include "controls/SplashWindow.h"

bool CSplashInputFilter::eventFilter(QObject* watched, QEvent* event) {
    if (CSplashWindow::SplashFilterInput(watched, event))
        return true;
    return QObject::eventFilter(watched, event);
}
