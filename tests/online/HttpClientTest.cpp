#include "online/HttpClient.h"
#include "LoopbackPeer.h"

#include <QCursor>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

HttpClient::Options quick() {
    HttpClient::Options o;
    o.connectTimeoutSeconds = 5;
    o.stallTimeoutSeconds = 1;
    return o;
}

} // namespace

TEST(HttpClient, OnlyHttpsOrLoopbackHttpIsAllowed) {
    const struct {
        const char* url;
        bool allowed;
    } cases[] = {
        {"https://people.googleapis.com/v1", true},
        {"http://127.0.0.1:8080/x", true},
        {"http://127.5.6.7/x", true},
        {"http://[::1]:80/x", true},
        {"http://localhost/x", true},
        {"http://people.googleapis.com/v1", false},
        {"http://192.168.1.2/x", false},
        {"http://127.0.0.1.example.com/x", false},
        {"ftp://127.0.0.1/x", false},
        {"file:///etc/passwd", false},
        {"", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(HttpClient::IsAllowedUrl(QUrl(QString::fromLatin1(c.url))), c.allowed) << c.url;
}

TEST(HttpClient, StatusBodyAndChunkedAnswersArriveDecoded) {
    LoopbackPeer peer;
    LoopbackPeer::Reply chunked;
    chunked.body = "{\"a\": \"" + QByteArray(5000, 'x') + "\"}";
    chunked.chunkSize = 700;
    chunked.chunkDelayMs = 5;
    peer.on("/chunked", chunked);
    LoopbackPeer::Reply denied;
    denied.status = 401;
    denied.body = "{\"error\": \"invalid_token\"}";
    peer.on("/denied", denied);

    HttpClient http(quick());
    const auto r = http.Get(peer.url(QStringLiteral("/chunked")), {"Authorization: Bearer t1"});
    EXPECT_TRUE(r.ok());
    EXPECT_EQ(r.body, chunked.body);
    EXPECT_EQ(peer.requests.back().headers.value("authorization"), "Bearer t1");

    const auto d = http.PostForm(peer.url(QStringLiteral("/denied")), "a=1&b=%2F");
    EXPECT_TRUE(d.completed);
    EXPECT_FALSE(d.ok());
    EXPECT_EQ(d.status, 401);
    EXPECT_EQ(d.body, denied.body);
    EXPECT_EQ(peer.requests.back().method, "POST");
    EXPECT_EQ(peer.requests.back().body, "a=1&b=%2F");
    EXPECT_EQ(peer.requests.back().headers.value("content-type"),
              "application/x-www-form-urlencoded");
}

TEST(HttpClient, WindowKeepsTurningWhileATransferRuns) {
    LoopbackPeer peer;
    LoopbackPeer::Reply slow;
    slow.body = "abcdef";
    slow.chunkSize = 2;
    slow.chunkDelayMs = 150;
    bool waitCursor = false;
    peer.on("/slow", [&](const LoopbackPeer::Received&) {
        // The peer answers from inside the client's wait, so it sees what the user sees.
        const QCursor* c = QGuiApplication::overrideCursor();
        waitCursor = c && c->shape() == Qt::WaitCursor;
        return slow;
    });
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] { ++ticks; });
    timer.start(20);
    HttpClient http(quick());
    EXPECT_EQ(http.Get(peer.url(QStringLiteral("/slow"))).body, "abcdef");
    EXPECT_GE(ticks, 5); // timers (and so painting) ran during the transfer
    EXPECT_TRUE(waitCursor);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST(HttpClient, SilentServerEndsWithinTheStallTime) {
    LoopbackPeer peer;
    LoopbackPeer::Reply silent;
    silent.silent = true;
    peer.on("/never", silent);
    HttpClient http(quick());
    QElapsedTimer t;
    t.start();
    const auto r = http.Get(peer.url(QStringLiteral("/never")));
    EXPECT_FALSE(r.completed);
    EXPECT_FALSE(r.error.isEmpty());
    EXPECT_LT(t.elapsed(), 8000);
}

TEST(HttpClient, RedirectsStayOnTheirSchemeAndKeepCredentialsHome) {
    LoopbackPeer peer, other;
    peer.on("/moved", [&](const LoopbackPeer::Received&) {
        LoopbackPeer::Reply r;
        r.status = 302;
        r.headers << qMakePair(QByteArray("Location"), QByteArray("/here"));
        return r;
    });
    peer.on("/here", LoopbackPeer::answer(200, "arrived"));
    peer.on("/away", [&](const LoopbackPeer::Received&) {
        LoopbackPeer::Reply r;
        r.status = 307;
        r.headers << qMakePair(QByteArray("Location"),
                               other.url(QStringLiteral("/there")).toUtf8());
        return r;
    });
    other.on("/there", LoopbackPeer::answer(200, "elsewhere"));
    peer.on("/secure", [&](const LoopbackPeer::Received&) {
        LoopbackPeer::Reply r;
        r.status = 301;
        r.headers << qMakePair(QByteArray("Location"), QByteArray("https://127.0.0.1:1/x"));
        return r;
    });
    peer.on("/loop", [&](const LoopbackPeer::Received&) {
        LoopbackPeer::Reply r;
        r.status = 302;
        r.headers << qMakePair(QByteArray("Location"), QByteArray("/loop"));
        return r;
    });

    HttpClient http(quick());
    const QByteArray auth = "Authorization: Bearer secret";
    EXPECT_EQ(http.Get(peer.url(QStringLiteral("/moved")), {auth}).body, "arrived");
    EXPECT_EQ(peer.requests.back().headers.value("authorization"), "Bearer secret");

    // 307 repeats the post at the new address, without the credentials of the first host.
    const auto r = http.PostForm(peer.url(QStringLiteral("/away")), "x=1", {auth});
    EXPECT_EQ(r.body, "elsewhere");
    ASSERT_EQ(other.requests.size(), 1u);
    EXPECT_EQ(other.requests[0].method, "POST");
    EXPECT_EQ(other.requests[0].body, "x=1");
    EXPECT_FALSE(other.requests[0].headers.contains("authorization"));

    EXPECT_FALSE(http.Get(peer.url(QStringLiteral("/secure"))).completed);
    const std::size_t before = peer.requests.size();
    EXPECT_FALSE(http.Get(peer.url(QStringLiteral("/loop"))).completed);
    EXPECT_EQ(peer.requests.size() - before, std::size_t(HttpClient::kMaxRedirects) + 1);
}

TEST(HttpClient, CertificatesAndHostNamesAreVerified) {
    QTemporaryDir dir;
    TestCertificate forIp, forName;
    QDir().mkpath(dir.path() + QStringLiteral("/ip"));
    QDir().mkpath(dir.path() + QStringLiteral("/name"));
    if (!forIp.Make(dir.path() + QStringLiteral("/ip"), QStringLiteral("IP:127.0.0.1")) ||
        !forName.Make(dir.path() + QStringLiteral("/name"), QStringLiteral("DNS:example.org")))
        GTEST_FAIL() << "openssl could not make a test certificate";

    LoopbackPeer peer(forIp.certFile, forIp.keyFile);
    peer.on("/v", LoopbackPeer::answer(200, "315"));
    const QString url = peer.url(QStringLiteral("/v"));
    ASSERT_TRUE(url.startsWith(QStringLiteral("https://127.0.0.1:")));

    // Self-signed: refused, and the request never reaches the server.
    HttpClient plain(quick());
    const auto refused = plain.Get(url);
    EXPECT_FALSE(refused.completed);
    EXPECT_TRUE(peer.requests.empty());

    // Trusted: the same server answers.
    HttpClient::Options trusting = quick();
    trusting.caFile = forIp.certFile;
    const auto trusted = HttpClient(trusting).Get(url);
    EXPECT_EQ(trusted.body, "315") << trusted.error.toStdString();
    EXPECT_EQ(peer.requests.size(), 1u);

    // A trusted certificate for another name is refused as well.
    LoopbackPeer impostor(forName.certFile, forName.keyFile);
    impostor.on("/v", LoopbackPeer::answer(200, "315"));
    HttpClient::Options trustingName = quick();
    trustingName.caFile = forName.certFile;
    EXPECT_FALSE(HttpClient(trustingName).Get(impostor.url(QStringLiteral("/v"))).completed);
    EXPECT_TRUE(impostor.requests.empty());
}
