#include "online/UpdateCheck.h"

#include "online/HttpClient.h"

int UpdateCheck::LatestVersion(const QByteArray& file) {
    const QByteArray head = file.left(kSignificantBytes);
    qsizetype i = 0;
    const auto space = [](char c) {
        return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
    };
    while (i < head.size() && space(head[i]))
        ++i;
    bool negative = false;
    if (i < head.size() && (head[i] == '+' || head[i] == '-')) {
        negative = head[i] == '-';
        ++i;
    }
    int value = 0; // at most seven digits: no overflow
    while (i < head.size() && head[i] >= '0' && head[i] <= '9') {
        value = value * 10 + (head[i] - '0');
        ++i;
    }
    return negative ? -value : value;
}

UpdateCheck::Outcome UpdateCheck::Check(HttpClient& http, const QString& url) {
    const HttpClient::Response r = http.Get(url);
    if (!r.ok())
        return Outcome::Failed;
    return kOwnVersion < LatestVersion(r.body) ? Outcome::Newer : Outcome::Latest;
}

QString UpdateCheck::Message(Outcome outcome) {
    switch (outcome) {
    case Outcome::Newer:
        return QStringLiteral("There is a newer version available. Please click the globe to "
                              "visit our website and download the latest version.");
    case Outcome::Latest:
        return QStringLiteral("You already have the latest version.");
    case Outcome::Failed:
        break;
    }
    return QStringLiteral("Sorry, couldn't check. Please make sure you are online.");
}
