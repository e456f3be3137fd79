#include "platform/ui/DialogRunner.h"

#include <QDialog>

namespace {
DialogRunner::Hook& hook() {
    static DialogRunner::Hook h;
    return h;
}
} // namespace

int DialogRunner::exec(QDialog& dialog) {
    if (hook())
        return hook()(dialog);
    return dialog.exec();
}

void DialogRunner::setHook(Hook h) {
    hook() = std::move(h);
}
