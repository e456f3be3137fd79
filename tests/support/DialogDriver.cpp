#include "DialogDriver.h"

#include <QDialog>
#include <QPointer>

DialogDriver::DialogDriver() {
    timer.setInterval(20);
    connect(&timer, &QTimer::timeout, this, &DialogDriver::poll);
    timer.start();
    waiting.start();
}

DialogDriver::~DialogDriver() = default;

void DialogDriver::poll() {
    if (acting)
        return;
    QWidget* modal = QApplication::activeModalWidget();
    if (!failed.isEmpty()) {
        // Close what is left so that the test can report instead of hanging.
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->reject();
        return;
    }
    if (steps.empty())
        return;
    if (waiting.elapsed() > kTimeoutMs) {
        failed = QStringLiteral("no %1 appeared").arg(QLatin1String(steps.front().type));
        steps.clear();
        return;
    }
    if (!modal || !modal->isVisible() || !modal->inherits(steps.front().type))
        return;
    // The action runs from its own event, since it may open a nested modal loop in which
    // the following steps must still run.
    acting = true;
    Step step = steps.front();
    steps.pop_front();
    QTimer::singleShot(0, this, [this, step, window = QPointer<QWidget>(modal)] {
        acting = false;
        waiting.restart();
        if (window)
            step.act(window);
        else
            failed = QStringLiteral("the %1 closed by itself").arg(QLatin1String(step.type));
    });
}
