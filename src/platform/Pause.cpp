#include "platform/Pause.h"

#include <QThread>

namespace {
bool enabled = true;
}

void Pause::sleepMs(int ms) {
    if (enabled && ms > 0)
        QThread::msleep(static_cast<unsigned long>(ms));
}

void Pause::setEnabled(bool on) {
    enabled = on;
}
