#pragma once

#include <QFile>
#include <QString>
#include <csignal>
#include <sys/stat.h>
#include <unistd.h>

// A named pipe that nobody writes to: opened for reading in the usual way, it waits for ever.
inline QString makeFifo(const QString& path) {
    return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0 ? path : QString();
}

// Ends the test program when the guarded code is still busy after some seconds, so that a
// reader waiting on a pipe fails its test instead of holding up the whole run.
class HangGuard {
public:
    explicit HangGuard(unsigned seconds = 20) {
        std::signal(SIGALRM, SIG_DFL);
        ::alarm(seconds);
    }
    ~HangGuard() { ::alarm(0); }
    HangGuard(const HangGuard&) = delete;
    HangGuard& operator=(const HangGuard&) = delete;
};
