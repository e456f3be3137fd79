#pragma once

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QString>
#include <memory>

class QTcpServer;
class QTcpSocket;

// Waits on 127.0.0.1 for the browser to come back from Google's consent page with the
// authorisation code. Only a request that carries the state this sign-in sent counts; it is
// answered with a short page and ends the listening.
class RedirectListener : public QObject {
    Q_OBJECT
public:
    explicit RedirectListener(QString expectedState, QObject* parent = nullptr);
    ~RedirectListener() override;

    // Starts listening on a free port; false when no port could be had.
    bool Listen();
    void Close();
    bool IsListening() const;
    // "http://127.0.0.1:<port>", the redirect_uri of the sign-in.
    QString RedirectUri() const;
    const QString& ExpectedState() const { return expectedState; }

    struct Request {
        bool valid = false; // a GET with a request line we understand
        QString path;
        QString code;
        QString state;
        QString error;
    };
    // The request head (request line and headers) as the browser sent it.
    static Request ParseRequest(const QByteArray& head);

    // The code from what a user pasted: the bare code, or the whole address the browser
    // showed after the consent page. Empty when an address carries another sign-in's state.
    static QString CodeFromPastedText(const QString& text, const QString& expectedState);

    // A request head larger than this is not a browser coming back; it is dropped.
    static constexpr int kMaxRequestBytes = 16 * 1024;

Q_SIGNALS:
    void codeReceived(const QString& code);
    // The user did not allow access (error is Google's, e.g. "access_denied").
    void accessDenied(const QString& error);

private:
    void accept();
    void readFrom(QTcpSocket* socket);
    void reply(QTcpSocket* socket, int status, const QByteArray& text);

    QString expectedState;
    std::unique_ptr<QTcpServer> server;
    QHash<QTcpSocket*, QByteArray> buffers;
};
