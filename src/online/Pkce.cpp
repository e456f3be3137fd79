#include "online/Pkce.h"

#include <QCryptographicHash>
#include <QRandomGenerator>

namespace {

QString base64Url(const QByteArray& bytes) {
    return QString::fromLatin1(
        bytes.toBase64(QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals));
}

QByteArray randomBytes(int n) {
    QByteArray bytes(n, Qt::Uninitialized);
    for (char& b : bytes)
        b = static_cast<char>(QRandomGenerator::system()->bounded(256));
    return bytes;
}

} // namespace

Pkce Pkce::Make() {
    Pkce p;
    p.verifier = base64Url(randomBytes(32));
    p.challenge = ChallengeOf(p.verifier);
    return p;
}

QString Pkce::ChallengeOf(const QString& verifier) {
    return base64Url(QCryptographicHash::hash(verifier.toLatin1(), QCryptographicHash::Sha256));
}

QString Pkce::RandomState() {
    return base64Url(randomBytes(16));
}
