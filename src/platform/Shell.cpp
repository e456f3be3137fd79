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

QString Shell::noBrowserMessage(const QUrl& url) {
    return QStringLiteral("Sorry, couldn't open %1: no web browser could be started.")
        .arg(url.toDisplayString());
}

QString Shell::noHandlerMessage(const QUrl& url) {
    return QStringLiteral("Sorry, couldn't open %1: no program to open it could be started.")
        .arg(url.toDisplayString(QUrl::PreferLocalFile));
}

void Shell::setOpener(std::function<bool(const QUrl&)> f) {
    opener() = std::move(f);
}
