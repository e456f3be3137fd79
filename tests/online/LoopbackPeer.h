#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QString>
#include <QUrlQuery>
#include <functional>
#include <memory>
#include <ostream>
#include <vector>

// Readable failures for texts.
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

class QTcpServer;
class QTcpSocket;

// A small web server on 127.0.0.1 and a random port, in this process, that plays Google's
// token endpoint and People API and the vendor's version file for the tests. It is served
// by the event loop the client keeps turning while it waits. With a certificate and key it
// speaks HTTPS.
class LoopbackPeer : public QObject {
    Q_OBJECT
public:
    struct Received {
        QByteArray method;
        QByteArray target;                     // path and query as sent
        QHash<QByteArray, QByteArray> headers; // names in lower case
        QByteArray body;

        QByteArray path() const {
            const qsizetype q = target.indexOf('?');
            return q < 0 ? target : target.left(q);
        }
        QUrlQuery query() const;
        QUrlQuery form() const; // the body of a form post
    };

    struct Reply {
        int status = 200;
        QByteArray body;
        QByteArray contentType = "application/json";
        QList<QPair<QByteArray, QByteArray>> headers;
        // Sent in chunks of this many bytes with chunked transfer encoding; 0 sends it whole.
        int chunkSize = 0;
        int chunkDelayMs = 0;
        // Accept the request and never answer.
        bool silent = false;
    };

    using Handler = std::function<Reply(const Received&)>;

    static Reply answer(int status, const QByteArray& body) {
        Reply r;
        r.status = status;
        r.body = body;
        return r;
    }

    // Plain HTTP, or HTTPS with the PEM files given.
    explicit LoopbackPeer(const QString& certFile = {}, const QString& keyFile = {});
    ~LoopbackPeer() override;

    // Answers requests whose path is exactly path; others get 404.
    void on(const QByteArray& path, Handler handler) { handlers[path] = std::move(handler); }
    void on(const QByteArray& path, Reply reply) {
        handlers[path] = [reply](const Received&) { return reply; };
    }

    quint16 port() const;
    QString url(const QString& path) const;

    std::vector<Received> requests;
    // Handshakes that failed, for TLS tests.
    int failedHandshakes = 0;

private:
    void accept();
    void readFrom(QTcpSocket* socket);
    void answer(QTcpSocket* socket, const Received& r);

    std::unique_ptr<QTcpServer> server;
    bool tls = false;
    QHash<QByteArray, Handler> handlers;
    QHash<QTcpSocket*, QByteArray> buffers;
};

// A self-signed certificate made with the openssl tool, valid for the names given in
// subjectAltName form ("IP:127.0.0.1", "DNS:localhost").
struct TestCertificate {
    QString certFile;
    QString keyFile;
    // False when openssl is missing or failed.
    bool Make(const QString& dir, const QString& subjectAltName);
};
