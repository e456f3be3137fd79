#pragma once

#include <QByteArray>
#include <QString>

// The JSON answer of Google's token endpoint, to a code exchange or a refresh. A field that
// is missing, or not a string where a string belongs, stays empty.
struct TokenResponse {
    QString accessToken;
    QString tokenType;
    QString refreshToken;
    qint64 expiresIn = 0;
    // The OAuth error code of an error answer ("invalid_grant", "invalid_client"...).
    QString error;

    // Anything that is not a JSON object gives an empty response.
    static TokenResponse Parse(const QByteArray& body);
};
