#pragma once

#include "online/HttpClient.h"
#include "online/OnlineSettings.h"
#include "online/PeopleResponse.h"

#include <QString>
#include <string>
#include <vector>

class SettingsStore;

// The program's side of one Google import: the user's own client credentials, the refresh
// token kept in the settings store, the access token of this import, and the requests to
// Google's token endpoint and People API. Created at the start of an import, gone at its end.
class CGoogleClient {
public:
    explicit CGoogleClient(SettingsStore& store);

    bool HasRefreshToken() const { return !refreshToken.isEmpty(); }
    bool HasClientCredentials() const { return !clientId.isEmpty() && !clientSecret.isEmpty(); }
    // Keeps the credentials of the user's "Desktop app" client, for this and later imports.
    void SetClientCredentials(const QString& id, const QString& secret);

    // The consent page's address for a sign-in that comes back to redirectUri; empty when
    // the configured page is not an address the program accepts.
    QString AuthorisationUrl(const QString& redirectUri, const QString& codeChallenge,
                             const QString& state) const;

    // Trades an authorisation code for tokens. Once the exchange has completed, the refresh
    // token of the answer is stored, even an empty one. True when an access token came.
    [[nodiscard]] bool ExchangeCode(const QString& code, const QString& codeVerifier,
                                    const QString& redirectUri);

    enum class Refresh { Ok, Failed, Revoked };
    // Trades the stored refresh token for an access token; the stored token is not
    // rewritten. Revoked: Google no longer accepts the token, and it has been cleared so
    // that the next import signs in again.
    [[nodiscard]] Refresh RefreshAccessToken();

    // Every page of the account's contact groups, in Google's order.
    [[nodiscard]] bool FetchGroups(std::vector<PeopleResponse::Group>& groups);
    // Every page of the account's connections, as contact texts.
    [[nodiscard]] bool FetchContacts(const PeopleResponse::ContactOptions& options,
                                     std::vector<std::string>& contacts);

    static constexpr const char* kScope = "https://www.googleapis.com/auth/contacts.readonly";
    // A paging server that never ends is cut off here (a million contacts).
    static constexpr int kMaxPages = 1000;

    QString accessToken;
    QString refreshToken;

private:
    HttpClient::Response getPage(const QString& path, const QString& query,
                                 const QString& pageToken);
    HttpClient::Response postToken(const QList<QPair<QString, QString>>& fields);
    void forgetCredentialsIfRefused(const QString& error);

    SettingsStore& store;
    OnlineSettings settings;
    HttpClient http;
    QString clientId;
    QString clientSecret;
};
