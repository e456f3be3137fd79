#include "online/HttpClient.h"

#include <QCoreApplication>
#include <QCursor>
#include <QEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QHostAddress>
#include <QThread>
#include <QWindow>
#include <curl/curl.h>
#include <memory>
#include <mutex>

namespace {

struct Hop {
    bool completed = false;
    long status = 0;
    QByteArray body;
    QString location;
    QString error;
};

struct Request {
    QByteArray url;
    QByteArray body;
    bool post = false;
    QList<QByteArray> headers;
    HttpClient::Options options;
    bool loopback = false;
};

size_t collect(char* data, size_t size, size_t count, void* userdata) {
    auto* body = static_cast<QByteArray*>(userdata);
    const size_t n = size * count;
    if (body->size() + static_cast<qint64>(n) > HttpClient::kMaxBodyBytes)
        return 0; // makes curl fail the transfer
    body->append(data, static_cast<qsizetype>(n));
    return n;
}

void globalInit() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

// One request and its answer, without following redirects; runs on a worker thread.
Hop transfer(const Request& r) {
    Hop hop;
    char errorText[CURL_ERROR_SIZE] = {};
    // The header list must outlive the handle that points at it.
    curl_slist* list = nullptr;
    for (const QByteArray& header : r.headers)
        list = curl_slist_append(list, header.constData());
    if (r.post)
        list = curl_slist_append(list, "Content-Type: application/x-www-form-urlencoded");
    std::unique_ptr<curl_slist, decltype(&curl_slist_free_all)> headers(list, &curl_slist_free_all);
    std::unique_ptr<CURL, decltype(&curl_easy_cleanup)> h(curl_easy_init(), &curl_easy_cleanup);
    if (!h) {
        hop.error = QStringLiteral("out of memory");
        return hop;
    }
    CURL* c = h.get();
    curl_easy_setopt(c, CURLOPT_URL, r.url.constData());
    curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(c, CURLOPT_ERRORBUFFER, errorText);
    curl_easy_setopt(c, CURLOPT_FOLLOWLOCATION, 0L);
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT, long(r.options.connectTimeoutSeconds));
    curl_easy_setopt(c, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(c, CURLOPT_LOW_SPEED_TIME, long(r.options.stallTimeoutSeconds));
    curl_easy_setopt(c, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(c, CURLOPT_SSL_VERIFYHOST, 2L);
    curl_easy_setopt(c, CURLOPT_ACCEPT_ENCODING, "");
    curl_easy_setopt(c, CURLOPT_USERAGENT, "Quillmark/3.1.4");
    curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, &collect);
    curl_easy_setopt(c, CURLOPT_WRITEDATA, &hop.body);
    if (headers)
        curl_easy_setopt(c, CURLOPT_HTTPHEADER, headers.get());
    const QByteArray caFile = r.options.caFile.toLocal8Bit();
    if (!caFile.isEmpty())
        curl_easy_setopt(c, CURLOPT_CAINFO, caFile.constData());
    // A proxy set for the outside world must not see traffic meant for this machine.
    if (r.loopback)
        curl_easy_setopt(c, CURLOPT_NOPROXY, "*");
    if (r.post) {
        curl_easy_setopt(c, CURLOPT_POST, 1L);
        curl_easy_setopt(c, CURLOPT_POSTFIELDSIZE_LARGE, curl_off_t(r.body.size()));
        curl_easy_setopt(c, CURLOPT_POSTFIELDS, r.body.constData());
    }
    const CURLcode rc = curl_easy_perform(c);
    if (rc != CURLE_OK) {
        hop.error = QString::fromUtf8(errorText[0] ? errorText : curl_easy_strerror(rc));
        hop.body.clear();
        return hop;
    }
    hop.completed = true;
    curl_easy_getinfo(c, CURLINFO_RESPONSE_CODE, &hop.status);
    char* location = nullptr;
    if (curl_easy_getinfo(c, CURLINFO_REDIRECT_URL, &location) == CURLE_OK && location)
        hop.location = QString::fromUtf8(location);
    return hop;
}

// While a transfer runs the window repaints, but it is not closed under the command that
// waits: its closing steps would save a contact list that is half loaded.
class HoldWindowsOpen : public QObject {
public:
    HoldWindowsOpen() { QCoreApplication::instance()->installEventFilter(this); }
    ~HoldWindowsOpen() override { QCoreApplication::instance()->removeEventFilter(this); }

protected:
    // The window system's close requests arrive at the window first; widgets closing
    // themselves are not held.
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Close || !qobject_cast<QWindow*>(watched))
            return false;
        event->ignore();
        return true;
    }
};

// Runs the transfer on a worker thread while this thread's event loop keeps turning.
Hop transferWithoutFreezing(const Request& r) {
    Hop hop;
    if (!QCoreApplication::instance()) {
        return transfer(r);
    }
    QEventLoop loop;
    std::unique_ptr<QThread> worker(QThread::create([&] { hop = transfer(r); }));
    QObject::connect(worker.get(), &QThread::finished, &loop, &QEventLoop::quit,
                     Qt::QueuedConnection);
    const bool gui = qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
    if (gui)
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    HoldWindowsOpen hold;
    worker->start();
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    worker->wait();
    if (gui)
        QGuiApplication::restoreOverrideCursor();
    return hop;
}

} // namespace

HttpClient::HttpClient() = default;

HttpClient::HttpClient(Options options) : options_(std::move(options)) {}

bool HttpClient::IsLoopbackHost(const QString& host) {
    if (host.compare(QLatin1String("localhost"), Qt::CaseInsensitive) == 0)
        return true;
    QHostAddress address;
    return address.setAddress(host) && address.isLoopback();
}

bool HttpClient::IsAllowedUrl(const QUrl& url) {
    if (!url.isValid() || url.host().isEmpty())
        return false;
    const QString scheme = url.scheme().toLower();
    if (scheme == QLatin1String("https"))
        return true;
    return scheme == QLatin1String("http") && IsLoopbackHost(url.host());
}

HttpClient::Response HttpClient::Get(const QString& url, const QList<QByteArray>& headers) {
    return perform(url, QByteArray(), headers);
}

HttpClient::Response HttpClient::PostForm(const QString& url, const QByteArray& form,
                                          const QList<QByteArray>& headers) {
    // A null body means GET below, so an empty form is still a POST.
    return perform(url, form.isNull() ? QByteArray("") : form, headers);
}

HttpClient::Response HttpClient::perform(QString url, QByteArray body,
                                         const QList<QByteArray>& headers) {
    globalInit();
    Response response;
    const QString scheme = QUrl(url).scheme().toLower();
    bool post = !body.isNull();
    QList<QByteArray> sent = headers;
    const QUrl first(url);
    for (int hops = 0;; ++hops) {
        const QUrl target(url);
        // Redirects stay on the scheme the request started with.
        if (!IsAllowedUrl(target) || target.scheme().toLower() != scheme) {
            response.error = QStringLiteral("address refused: ") + url;
            return response;
        }
        Request r;
        r.url = target.toEncoded();
        r.body = body;
        r.post = post;
        r.headers = sent;
        r.options = options_;
        r.loopback = IsLoopbackHost(target.host());
        Hop hop = transferWithoutFreezing(r);
        if (!hop.completed) {
            response.error = hop.error;
            return response;
        }
        const bool redirect = hop.status == 301 || hop.status == 302 || hop.status == 303 ||
                              hop.status == 307 || hop.status == 308;
        if (!redirect || hop.location.isEmpty()) {
            response.completed = true;
            response.status = hop.status;
            response.body = std::move(hop.body);
            return response;
        }
        if (hops == kMaxRedirects) {
            response.error = QStringLiteral("too many redirects");
            return response;
        }
        // As browsers do: 307 and 308 repeat the request, the others fetch the new address.
        if (hop.status != 307 && hop.status != 308) {
            post = false;
            body = QByteArray();
        }
        url = hop.location;
        // Credentials go only to the host they were meant for.
        const QUrl next(url);
        if (next.host() != first.host() || next.port() != first.port()) {
            sent.removeIf(
                [](const QByteArray& h) { return h.toLower().startsWith("authorization:"); });
        }
    }
}
