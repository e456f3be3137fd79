#pragma once

#include <QByteArray>
#include <QString>
#include <optional>
#include <utility>
#include <vector>

// Hands a finished document to a queue of the CUPS server (the one libcups finds: CUPS_SERVER,
// the user's client.conf or the local scheduler) as one job.
class CupsJob {
public:
    using Options = std::vector<std::pair<QByteArray, QByteArray>>;

    // Sends the PDF file at path to printer as a job called title. nullopt when the server
    // took the whole document; otherwise the server's reason, and the server holds no part
    // of the job.
    [[nodiscard]] static std::optional<QString> submit(const QString& printer, const QString& title,
                                                       const QString& path, const Options& options);
};
