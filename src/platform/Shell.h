#pragma once

#include <QUrl>
#include <functional>

// Opens web addresses, files and folders in the user's programs. Tests replace the opener.
namespace Shell {
bool open(const QUrl& url);
void setOpener(std::function<bool(const QUrl&)> opener);
} // namespace Shell
