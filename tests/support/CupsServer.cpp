#include "CupsServer.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>
#include <cups/cups.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString kPdfPrinterPpd = QStringLiteral("/usr/share/ppd/cups-pdf/CUPS-PDF_noopt.ppd");

bool writeText(const QString& path, const QString& text) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(text.toUtf8()) >= 0;
}

} // namespace

QString CupsServer::path(const QString& name) const {
    return dir.path() + QLatin1Char('/') + name;
}

QString CupsServer::socketPath() const {
    return path(QStringLiteral("cups.sock"));
}

QString CupsServer::errorLog() const {
    QFile f(path(QStringLiteral("log/error_log")));
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

CupsServer::CupsServer() : dir(QDir::tempPath() + QStringLiteral("/qm-cups-XXXXXX")) {
    const QString cupsdPath = QStandardPaths::findExecutable(
        QStringLiteral("cupsd"), {QStringLiteral("/usr/sbin"), QStringLiteral("/usr/local/sbin")});
    if (!dir.isValid()) {
        failure = QStringLiteral("no temporary folder");
        return;
    }
    if (cupsdPath.isEmpty()) {
        failure = QStringLiteral("cupsd is not installed (Debian package cups)");
        return;
    }
    if (!QFileInfo::exists(kPdfPrinterPpd)) {
        failure = QStringLiteral("%1 is missing (Debian package printer-driver-cups-pdf)")
                      .arg(kPdfPrinterPpd);
        return;
    }
    // A scheduler started by root runs its filters as the user lp, which must reach the spool
    // and its temporary files.
    ::chmod(QFile::encodeName(dir.path()).constData(), 0755);
    for (const char* sub : {"etc", "state", "cache", "spool", "log", "out"})
        QDir(dir.path()).mkdir(QLatin1String(sub));
    QDir(dir.path()).mkdir(QStringLiteral("tmp"));
    ::chmod(QFile::encodeName(path(QStringLiteral("tmp"))).constData(), 01777);

    const QString cupsdConf = QStringLiteral("Listen %1\n"
                                             "LogLevel info\n"
                                             "WebInterface No\n"
                                             "PreserveJobFiles Yes\n"
                                             "Browsing No\n"
                                             "DefaultAuthType None\n"
                                             "<Location />\n"
                                             "  Order allow,deny\n"
                                             "  Allow all\n"
                                             "</Location>\n"
                                             "<Policy default>\n"
                                             "  <Limit All>\n"
                                             "    AuthType None\n"
                                             "    Order deny,allow\n"
                                             "    Allow all\n"
                                             "  </Limit>\n"
                                             "</Policy>\n")
                                  .arg(socketPath());
    const QString filesConf = QStringLiteral("ServerRoot %1/etc\n"
                                             "StateDir %1/state\n"
                                             "CacheDir %1/cache\n"
                                             "RequestRoot %1/spool\n"
                                             "TempDir %1/tmp\n"
                                             "ServerKeychain %1/state/ssl\n"
                                             "CreateSelfSignedCerts No\n"
                                             "ServerBin /usr/lib/cups\n"
                                             "DataDir /usr/share/cups\n"
                                             "AccessLog %1/log/access_log\n"
                                             "ErrorLog %1/log/error_log\n"
                                             "PageLog %1/log/page_log\n"
                                             "Printcap %1/printcap\n"
                                             "FileDevice Yes\n"
                                             "Sandboxing Relaxed\n")
                                  .arg(dir.path());
    const QString conf = path(QStringLiteral("etc/cupsd.conf"));
    const QString files = path(QStringLiteral("etc/cups-files.conf"));
    if (!writeText(conf, cupsdConf) || !writeText(files, filesConf)) {
        failure = QStringLiteral("cannot write the configuration in %1").arg(dir.path());
        return;
    }

    cupsd = std::make_unique<QProcess>();
    cupsd->setProcessChannelMode(QProcess::MergedChannels);
    cupsd->start(cupsdPath,
                 {QStringLiteral("-f"), QStringLiteral("-c"), conf, QStringLiteral("-s"), files});
    if (!cupsd->waitForStarted(10000)) {
        failure = QStringLiteral("cupsd could not be run: %1").arg(cupsd->errorString());
        return;
    }
    // This process and every tool it starts use the private scheduler.
    qputenv("CUPS_SERVER", QFile::encodeName(socketPath()));
    cupsSetServer(QFile::encodeName(socketPath()).constData());

    const QDeadlineTimer deadline(15000);
    while (!deadline.hasExpired()) {
        if (cupsd->state() != QProcess::Running) {
            failure = QStringLiteral("cupsd stopped at once: %1 %2")
                          .arg(QString::fromLocal8Bit(cupsd->readAll()), errorLog());
            return;
        }
        int code = -1;
        if (QFileInfo::exists(socketPath()) &&
            run(QStringLiteral("lpstat"), {QStringLiteral("-r")}, &code)
                .contains(QLatin1String("is running")) &&
            code == 0)
            return;
        QThread::msleep(50);
    }
    failure = QStringLiteral("cupsd did not answer within 15 s: %1").arg(errorLog());
}

CupsServer::~CupsServer() {
    if (cupsd && cupsd->state() == QProcess::Running) {
        cupsd->terminate();
        if (!cupsd->waitForFinished(10000)) {
            cupsd->kill();
            cupsd->waitForFinished(5000);
        }
    }
    qunsetenv("CUPS_SERVER");
    cupsSetServer(nullptr);
}

QString CupsServer::run(const QString& program, const QStringList& arguments, int* exitCode) const {
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("CUPS_SERVER"), socketPath());
    p.setProcessEnvironment(env);
    p.start(program, arguments);
    const bool done = p.waitForFinished(60000);
    if (exitCode)
        *exitCode = done && p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    return QString::fromLocal8Bit(p.readAll());
}

QString CupsServer::addQueue(const QString& name, const QString& paper) {
    int code = -1;
    const QString out =
        run(QStringLiteral("lpadmin"),
            {QStringLiteral("-p"), name, QStringLiteral("-E"), QStringLiteral("-v"),
             QStringLiteral("file://") + path(QStringLiteral("out/%1.ps").arg(name)),
             QStringLiteral("-P"), kPdfPrinterPpd, QStringLiteral("-o"),
             QStringLiteral("PageSize=") + paper},
            &code);
    return code == 0 ? QString() : out;
}

QString CupsServer::reject(const QString& name) {
    int code = -1;
    const QString out = run(QStringLiteral("cupsreject"), {name}, &code);
    return code == 0 ? QString() : out;
}

std::vector<CupsServer::Job> CupsServer::jobs() const {
    std::vector<Job> result;
    cups_job_t* list = nullptr;
    const int n = cupsGetJobs2(CUPS_HTTP_DEFAULT, &list, nullptr, 0, CUPS_WHICHJOBS_ALL);
    for (int i = 0; i < n; ++i)
        result.push_back({list[i].id, QString::fromUtf8(list[i].title),
                          QString::fromUtf8(list[i].dest), static_cast<int>(list[i].state)});
    cupsFreeJobs(n, list);
    return result;
}

bool CupsServer::waitUntilIdle(int timeoutMs) const {
    const QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        bool busy = false;
        for (const Job& job : jobs())
            busy = busy || job.state < IPP_JSTATE_STOPPED;
        if (!busy)
            return true;
        QThread::msleep(100);
    }
    return false;
}

QString CupsServer::receivedDocument(int job) const {
    const QString file = path(QStringLiteral("spool/d%1-001").arg(job, 5, 10, QLatin1Char('0')));
    return QFileInfo::exists(file) ? file : QString();
}

QString CupsServer::printedPdf(const QString& queue) const {
    const QString ps = path(QStringLiteral("out/%1.ps").arg(queue));
    if (QFileInfo(ps).size() == 0)
        return {};
    const QString pdf = path(QStringLiteral("out/%1.pdf").arg(queue));
    QProcess gs;
    gs.start(QStringLiteral("gs"),
             {QStringLiteral("-q"), QStringLiteral("-dNOPAUSE"), QStringLiteral("-dBATCH"),
              QStringLiteral("-dSAFER"), QStringLiteral("-sDEVICE=pdfwrite"),
              QStringLiteral("-sOutputFile=") + pdf, ps});
    if (!gs.waitForFinished(120000) || gs.exitCode() != 0)
        return {};
    return pdf;
}
