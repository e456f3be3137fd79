#pragma once

#include <QUrl>
#include <functional>

// Opens web addresses, files and folders in the user's programs. Tests replace the opener.
namespace Shell {
bool open(const QUrl& url);
// What the user is told when no program could be started for url.
QString noBrowserMessage(const QUrl& url);
// The same for a local file or folder handed to the desktop (a file manager, a contacts
// program).
QString noHandlerMessage(const QUrl& url);
void setOpener(std::function<bool(const QUrl&)> opener);
} // namespace Shell
