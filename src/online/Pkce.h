#pragma once

#include <QString>

// Proof key for the code exchange: the sign-in keeps the verifier and sends only its hash,
// so a code that another program on this machine catches is of no use to it.
struct Pkce {
    QString verifier;  // 43 characters of base64url
    QString challenge; // base64url of the verifier's SHA-256, for code_challenge_method=S256

    static Pkce Make();
    static QString ChallengeOf(const QString& verifier);
    // An unguessable value that the redirect must bring back.
    static QString RandomState();
};
