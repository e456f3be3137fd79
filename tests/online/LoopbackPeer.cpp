#include "LoopbackPeer.h"

#include <QFile>
#include <QProcess>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QSslKey>
#include <QSslServer>
#include <QSslSocket>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

namespace {

QByteArray reason(int status) {
    switch (status) {
    case 200:
        return "OK";
    case 301:
        return "Moved Permanently";
    case 302:
        return "Found";
    case 307:
        return "Temporary Redirect";
    case 400:
        return "Bad Request";
    case 401:
        return "Unauthorized";
    case 404:
        return "Not Found";
    case 500:
        return "Internal Server Error";
    default:
        return "Status";
    }
}

} // namespace

QUrlQuery LoopbackPeer::Received::query() const {
    const qsizetype q = target.indexOf('?');
    return q < 0 ? QUrlQuery() : QUrlQuery(QString::fromUtf8(target.mid(q + 1)));
}

QUrlQuery LoopbackPeer::Received::form() const {
    // Form bodies encode spaces as "+"; QUrlQuery leaves those alone.
    QByteArray b = body;
    b.replace('+', "%20");
    return QUrlQuery(QString::fromUtf8(b));
}

LoopbackPeer::LoopbackPeer(const QString& certFile, const QString& keyFile) {
    if (!certFile.isEmpty()) {
        auto* ssl = new QSslServer;
        QSslConfiguration config = QSslConfiguration::defaultConfiguration();
        QFile c(certFile), k(keyFile);
        c.open(QIODevice::ReadOnly);
        k.open(QIODevice::ReadOnly);
        config.setLocalCertificate(QSslCertificate(c.readAll()));
        config.setPrivateKey(QSslKey(k.readAll(), QSsl::Ec));
        config.setPeerVerifyMode(QSslSocket::VerifyNone);
        ssl->setSslConfiguration(config);
        connect(ssl, &QSslServer::errorOccurred, this, [this] { ++failedHandshakes; });
        connect(ssl, &QSslServer::alertReceived, this, [this] { ++failedHandshakes; });
        server.reset(ssl);
        tls = true;
    } else {
        server = std::make_unique<QTcpServer>();
    }
    // A TLS connection becomes pending only once its handshake is done.
    connect(server.get(), &QTcpServer::pendingConnectionAvailable, this, &LoopbackPeer::accept);
    server->listen(QHostAddress::LocalHost, 0);
}

LoopbackPeer::~LoopbackPeer() = default;

quint16 LoopbackPeer::port() const {
    return server->serverPort();
}

QString LoopbackPeer::url(const QString& path) const {
    return QStringLiteral("%1://127.0.0.1:%2%3")
        .arg(tls ? QStringLiteral("https") : QStringLiteral("http"))
        .arg(port())
        .arg(path);
}

void LoopbackPeer::accept() {
    while (QTcpSocket* s = server->nextPendingConnection()) {
        s->setParent(this);
        connect(s, &QTcpSocket::readyRead, this, [this, s] { readFrom(s); });
        connect(s, &QTcpSocket::disconnected, this, [this, s] {
            buffers.remove(s);
            s->deleteLater();
        });
        if (s->bytesAvailable() > 0)
            readFrom(s);
    }
}

void LoopbackPeer::readFrom(QTcpSocket* socket) {
    QByteArray& buffer = buffers[socket];
    buffer += socket->readAll();
    const qsizetype end = buffer.indexOf("\r\n\r\n");
    if (end < 0)
        return;
    Received r;
    const QList<QByteArray> lines = buffer.left(end).split('\n');
    const QList<QByteArray> first = lines.value(0).trimmed().split(' ');
    r.method = first.value(0);
    r.target = first.value(1);
    qsizetype length = 0;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const qsizetype colon = lines[i].indexOf(':');
        if (colon < 0)
            continue;
        const QByteArray name = lines[i].left(colon).trimmed().toLower();
        r.headers[name] = lines[i].mid(colon + 1).trimmed();
        if (name == "content-length")
            length = r.headers[name].toLongLong();
    }
    if (buffer.size() < end + 4 + length)
        return;
    r.body = buffer.mid(end + 4, length);
    buffer.clear();
    requests.push_back(r);
    answer(socket, r);
}

void LoopbackPeer::answer(QTcpSocket* socket, const Received& r) {
    const auto h = handlers.find(r.path());
    Reply reply;
    if (h != handlers.end()) {
        reply = (*h)(r);
    } else {
        reply.status = 404;
        reply.contentType = "text/html";
        reply.body = "<html><body><h1>404 Not Found</h1></body></html>";
    }
    if (reply.silent)
        return;
    QByteArray head = "HTTP/1.1 " + QByteArray::number(reply.status) + ' ' + reason(reply.status) +
                      "\r\nContent-Type: " + reply.contentType + "\r\nConnection: close\r\n";
    for (const auto& [name, value] : reply.headers)
        head += name + ": " + value + "\r\n";
    if (reply.chunkSize <= 0) {
        socket->write(head + "Content-Length: " + QByteArray::number(reply.body.size()) +
                      "\r\n\r\n" + reply.body);
        socket->disconnectFromHost();
        return;
    }
    socket->write(head + "Transfer-Encoding: chunked\r\n\r\n");
    QList<QByteArray> chunks;
    for (qsizetype i = 0; i < reply.body.size(); i += reply.chunkSize)
        chunks << reply.body.mid(i, reply.chunkSize);
    chunks << QByteArray();
    int delay = 0;
    for (const QByteArray& c : chunks) {
        const QByteArray piece = QByteArray::number(c.size(), 16) + "\r\n" + c + "\r\n";
        const bool last = c.isEmpty();
        QTimer::singleShot(delay, socket, [socket, piece, last] {
            socket->write(piece);
            socket->flush();
            if (last)
                socket->disconnectFromHost();
        });
        delay += reply.chunkDelayMs;
    }
}

bool TestCertificate::Make(const QString& dir, const QString& subjectAltName) {
    certFile = dir + QStringLiteral("/cert.pem");
    keyFile = dir + QStringLiteral("/key.pem");
    QProcess p;
    p.start(QStringLiteral("openssl"),
            {QStringLiteral("req"), QStringLiteral("-x509"), QStringLiteral("-newkey"),
             QStringLiteral("ec"), QStringLiteral("-pkeyopt"),
             QStringLiteral("ec_paramgen_curve:prime256v1"), QStringLiteral("-nodes"),
             QStringLiteral("-keyout"), keyFile, QStringLiteral("-out"), certFile,
             QStringLiteral("-days"), QStringLiteral("2"), QStringLiteral("-subj"),
             QStringLiteral("/CN=Quillmark test peer"), QStringLiteral("-addext"),
             QStringLiteral("subjectAltName=") + subjectAltName});
    if (!p.waitForFinished(30000))
        return false;
    return p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0 && QFile::exists(certFile) &&
           QFile::exists(keyFile);
}
