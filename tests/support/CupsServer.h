#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>
#include <vector>

class QProcess;

// A private CUPS scheduler for one test: its own configuration, state, spool and logs in a
// temporary folder, listening only on a Unix socket there, with queues whose device is a file
// in that folder. libcups in the test (and Qt's CUPS support through it) and the CUPS tools the
// test runs all talk to it, never to the machine's own scheduler. Stopped when destroyed.
class CupsServer {
public:
    CupsServer();
    ~CupsServer();
    CupsServer(const CupsServer&) = delete;
    CupsServer& operator=(const CupsServer&) = delete;

    // Empty when the scheduler runs; otherwise why it could not start.
    const QString& error() const { return failure; }

    // Adds an enabled queue printing PostScript for a PDF printer into a file; paper is its
    // default page size ("A4", "Letter"). Empty on success, otherwise lpadmin's complaint.
    QString addQueue(const QString& name, const QString& paper);
    // Makes the queue refuse new jobs, as cupsreject does.
    QString reject(const QString& name);

    struct Job {
        int id;
        QString title;
        QString printer;
        int state; // ipp_jstate_t
    };
    // Every job the server has seen, finished or not.
    std::vector<Job> jobs() const;
    // Waits until no job is pending or printing; false after the timeout.
    bool waitUntilIdle(int timeoutMs = 60000) const;
    // The document of a job as the server received it (kept after printing); empty when the
    // job has none.
    QString receivedDocument(int job) const;
    // What the queue's device received, as a PDF for pdfinfo and pdftotext; empty when
    // nothing was written.
    QString printedPdf(const QString& queue) const;

    // Runs a CUPS command-line tool against this server; its standard output.
    QString run(const QString& program, const QStringList& arguments,
                int* exitCode = nullptr) const;

    QString socketPath() const;
    QString errorLog() const;

private:
    QString path(const QString& name) const;

    QTemporaryDir dir;
    std::unique_ptr<QProcess> cupsd;
    QString failure;
};

// Tests that need the scheduler: skipped with the reason where it cannot start, failed instead
// where QUILLMARK_REQUIRE_SERVERS=1 says it must (CI).
#define QM_NEED_CUPS(server)                                                                       \
    do {                                                                                           \
        if (!(server).error().isEmpty()) {                                                         \
            if (qEnvironmentVariable("QUILLMARK_REQUIRE_SERVERS") == QLatin1String("1"))           \
                FAIL() << "cupsd did not start: " << (server).error().toStdString();               \
            GTEST_SKIP() << "cupsd did not start: " << (server).error().toStdString();             \
        }                                                                                          \
    } while (0)
