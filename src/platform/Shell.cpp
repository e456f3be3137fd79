#include "platform/Shell.h"

#include <QDesktopServices>

namespace {
std::function<bool(const QUrl&)>& opener() {
    static std::function<bool(const QUrl&)> f;
    return f;
}
} // namespace

bool Shell::open(const QUrl& url) {
    if (opener())
        return opener()(url);
    return QDesktopServices::openUrl(url);
}

void Shell::setOpener(std::function<bool(const QUrl&)> f) {
    opener() = std::move(f);
}
