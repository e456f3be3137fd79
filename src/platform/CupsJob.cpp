#include "platform/CupsJob.h"

#include <QFile>
#include <cups/cups.h>

namespace {

QString serverReason(const QString& fallback) {
    const char* text = cupsLastErrorString();
    QString reason = text && *text ? QString::fromUtf8(text) : fallback;
    if (!reason.endsWith(QLatin1Char('.')))
        reason += QLatin1Char('.');
    return reason;
}

} // namespace

std::optional<QString> CupsJob::submit(const QString& printer, const QString& title,
                                       const QString& path, const Options& options) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("the print file could not be read back (%1).")
            .arg(file.errorString());

    cups_option_t* cupsOptions = nullptr;
    int count = 0;
    for (const auto& [name, value] : options)
        count = cupsAddOption(name.constData(), value.constData(), count, &cupsOptions);

    const QByteArray queue = printer.toUtf8();
    const QByteArray name = title.toUtf8();
    // The job is created empty and its one document sent in pieces; it is printed only once
    // the document is finished, so a failure on the way leaves nothing to print.
    const int job =
        cupsCreateJob(CUPS_HTTP_DEFAULT, queue.constData(), name.constData(), count, cupsOptions);
    cupsFreeOptions(count, cupsOptions);
    if (job == 0)
        return serverReason(QStringLiteral("the print server did not create the job"));

    std::optional<QString> failure;
    if (cupsStartDocument(CUPS_HTTP_DEFAULT, queue.constData(), job, name.constData(),
                          CUPS_FORMAT_PDF, 1) != HTTP_STATUS_CONTINUE) {
        failure = serverReason(QStringLiteral("the print server did not take the document"));
    } else {
        QByteArray chunk(64 * 1024, Qt::Uninitialized);
        qint64 got;
        while (!failure && (got = file.read(chunk.data(), chunk.size())) > 0) {
            if (cupsWriteRequestData(CUPS_HTTP_DEFAULT, chunk.constData(),
                                     static_cast<size_t>(got)) != HTTP_STATUS_CONTINUE)
                failure = serverReason(QStringLiteral("the connection to the print server broke"));
        }
        if (!failure && got < 0)
            failure = QStringLiteral("the print file could not be read back (%1).")
                          .arg(file.errorString());
        // Finishing also ends a document cut short, which is then cancelled below.
        if (cupsFinishDocument(CUPS_HTTP_DEFAULT, queue.constData()) != IPP_STATUS_OK && !failure)
            failure = serverReason(QStringLiteral("the print server did not take the document"));
    }
    if (failure)
        cupsCancelJob2(CUPS_HTTP_DEFAULT, queue.constData(), job, 1);
    return failure;
}
