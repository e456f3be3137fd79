#include "online/RedirectListener.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QUrl>
#include <QUrlQuery>

namespace {

QString item(const QUrlQuery& q, const char* key) {
    return q.queryItemValue(QLatin1String(key), QUrl::FullyDecoded);
}

QByteArray page(const QByteArray& text) {
    return "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>Quillmark</title></head>"
           "<body style=\"font-family: sans-serif; margin: 3em\"><p>" +
           text + "</p></body></html>";
}

} // namespace

RedirectListener::RedirectListener(QString state, QObject* parent)
    : QObject(parent), expectedState(std::move(state)) {}

RedirectListener::~RedirectListener() = default;

bool RedirectListener::Listen() {
    server = std::make_unique<QTcpServer>();
    connect(server.get(), &QTcpServer::newConnection, this, &RedirectListener::accept);
    if (server->listen(QHostAddress::LocalHost, 0))
        return true;
    server.reset();
    return false;
}

void RedirectListener::Close() {
    if (server)
        server->close();
    for (QTcpSocket* s : buffers.keys())
        s->abort();
    buffers.clear();
}

bool RedirectListener::IsListening() const {
    return server && server->isListening();
}

QString RedirectListener::RedirectUri() const {
    return QStringLiteral("http://127.0.0.1:%1").arg(server ? server->serverPort() : 0);
}

RedirectListener::Request RedirectListener::ParseRequest(const QByteArray& head) {
    Request r;
    const qsizetype end = head.indexOf("\r\n");
    const QList<QByteArray> parts = head.left(end < 0 ? head.size() : end).split(' ');
    if (parts.size() != 3 || parts[0] != "GET" || !parts[2].startsWith("HTTP/1.") ||
        !parts[1].startsWith('/'))
        return r;
    const QUrl url(QStringLiteral("http://127.0.0.1") + QString::fromLatin1(parts[1]),
                   QUrl::StrictMode);
    if (!url.isValid())
        return r;
    r.valid = true;
    r.path = url.path();
    const QUrlQuery q(url);
    r.code = item(q, "code");
    r.state = item(q, "state");
    r.error = item(q, "error");
    return r;
}

QString RedirectListener::CodeFromPastedText(const QString& text, const QString& state) {
    const QString t = text.trimmed();
    const qsizetype question = t.indexOf(QLatin1Char('?'));
    if (question < 0 && !t.startsWith(QLatin1String("code=")))
        return t;
    const QUrlQuery q(t.mid(question + 1));
    const QString pastedState = item(q, "state");
    if (!pastedState.isEmpty() && pastedState != state)
        return QString();
    return item(q, "code");
}

void RedirectListener::accept() {
    while (QTcpSocket* s = server->nextPendingConnection()) {
        s->setParent(this);
        buffers.insert(s, QByteArray());
        connect(s, &QTcpSocket::readyRead, this, [this, s] { readFrom(s); });
        connect(s, &QTcpSocket::disconnected, this, [this, s] {
            buffers.remove(s);
            s->deleteLater();
        });
    }
}

void RedirectListener::readFrom(QTcpSocket* socket) {
    if (!buffers.contains(socket))
        return;
    QByteArray& buffer = buffers[socket];
    buffer += socket->readAll();
    const qsizetype end = buffer.indexOf("\r\n\r\n");
    if (end < 0) {
        if (buffer.size() > kMaxRequestBytes) {
            buffers.remove(socket);
            socket->abort();
        }
        return;
    }
    const Request r = ParseRequest(buffer.left(end));
    buffers.remove(socket);
    if (!r.valid) {
        reply(socket, 400, "Quillmark did not understand this request.");
        return;
    }
    // Anything else a browser asks for (an icon) and strays without this sign-in's state
    // are turned away; the wait goes on.
    if (r.path != QLatin1String("/") || r.state != expectedState) {
        reply(socket, 404, "This address belongs to Quillmark's Google sign-in.");
        return;
    }
    if (!r.code.isEmpty()) {
        reply(socket, 200, "Quillmark is signed in to Google. You can close this window.");
        Close();
        Q_EMIT codeReceived(r.code);
        return;
    }
    if (!r.error.isEmpty()) {
        reply(socket, 200, "Quillmark was not given access. You can close this window.");
        Close();
        Q_EMIT accessDenied(r.error);
        return;
    }
    reply(socket, 400, "The answer from Google held no authorisation code.");
}

void RedirectListener::reply(QTcpSocket* socket, int status, const QByteArray& text) {
    const QByteArray body = page(text);
    const QByteArray reason = status == 200 ? "OK" : status == 404 ? "Not Found" : "Bad Request";
    socket->write("HTTP/1.1 " + QByteArray::number(status) + ' ' + reason +
                  "\r\nContent-Type: text/html; charset=utf-8\r\nContent-Length: " +
                  QByteArray::number(body.size()) +
                  "\r\nConnection: close\r\nCache-Control: no-store\r\n\r\n" + body);
    socket->flush();
    // The page must reach the browser even when the sign-in ends (and this listener goes)
    // at once, so the socket lives on by itself until it is done.
    socket->disconnect(this);
    socket->setParent(nullptr);
    connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    QTimer::singleShot(5000, socket, &QObject::deleteLater);
    socket->disconnectFromHost();
}
