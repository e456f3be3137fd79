#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QUrl>

// One small HTTP client over libcurl for everything the program asks of the network.
// Certificates and host names are verified, transfer encodings are decoded, a server that
// cannot be reached or goes silent ends the request within the time-outs, and redirects are
// followed only to addresses the program would accept in the first place. While a transfer
// runs the calling thread keeps its event loop turning (windows repaint, a wait cursor
// shows); user input waits until the answer is in.
class HttpClient {
public:
    struct Options {
        int connectTimeoutSeconds = 15;
        // No byte in either direction for this long ends the transfer.
        int stallTimeoutSeconds = 30;
        // Extra trust anchors in PEM form; empty means the system's certificate store.
        QString caFile;
    };

    struct Response {
        // A whole HTTP answer arrived; status and body are meaningful only then.
        bool completed = false;
        long status = 0;
        QByteArray body;
        // What went wrong when the transfer did not complete.
        QString error;

        bool ok() const { return completed && status >= 200 && status < 300; }
    };

    HttpClient();
    explicit HttpClient(Options options);

    [[nodiscard]] Response Get(const QString& url, const QList<QByteArray>& headers = {});
    // Posts an application/x-www-form-urlencoded body.
    [[nodiscard]] Response PostForm(const QString& url, const QByteArray& form,
                                    const QList<QByteArray>& headers = {});

    // HTTPS anywhere; plain HTTP only to this machine, where nobody can listen in.
    static bool IsAllowedUrl(const QUrl& url);
    static bool IsLoopbackHost(const QString& host);

    static constexpr int kMaxRedirects = 5;
    // Nothing the program reads comes close; a larger answer is refused rather than kept.
    static constexpr qint64 kMaxBodyBytes = 64 * 1024 * 1024;

private:
    Response perform(QString url, QByteArray body, const QList<QByteArray>& headers);

    Options options_;
};
