#include "online/TokenResponse.h"

#include <QJsonDocument>
#include <QJsonObject>

TokenResponse TokenResponse::Parse(const QByteArray& body) {
    TokenResponse t;
    const QJsonDocument doc = QJsonDocument::fromJson(body);
    if (!doc.isObject())
        return t;
    const QJsonObject o = doc.object();
    t.accessToken = o.value(QLatin1String("access_token")).toString();
    t.tokenType = o.value(QLatin1String("token_type")).toString();
    t.refreshToken = o.value(QLatin1String("refresh_token")).toString();
    // Lifetimes come as numbers, now and then as text.
    const QJsonValue expires = o.value(QLatin1String("expires_in"));
    const double seconds = expires.isString() ? expires.toString().toDouble() : expires.toDouble();
    if (seconds > 0 && seconds < 1e12)
        t.expiresIn = static_cast<qint64>(seconds);
    t.error = o.value(QLatin1String("error")).toString();
    return t;
}
