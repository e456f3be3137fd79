#include "online/CGoogleClient.h"

#include "online/TokenResponse.h"
#include "platform/SettingsStore.h"

#include <QSet>
#include <QUrl>

namespace {

QByteArray formEncode(const QList<QPair<QString, QString>>& fields) {
    QByteArray out;
    for (const auto& [name, value] : fields) {
        if (!out.isEmpty())
            out += '&';
        out += QUrl::toPercentEncoding(name) + '=' + QUrl::toPercentEncoding(value);
    }
    return out;
}

} // namespace

CGoogleClient::CGoogleClient(SettingsStore& s)
    : store(s), settings(OnlineSettings::Read(s)), http(settings.http) {
    clientId = store.readString(OnlineKey::kClientId, QString()).trimmed();
    clientSecret = store.readString(OnlineKey::kClientSecret, QString()).trimmed();
    refreshToken = store.readString(OnlineKey::kRefreshToken, QString());
}

void CGoogleClient::SetClientCredentials(const QString& id, const QString& secret) {
    clientId = id.trimmed();
    clientSecret = secret.trimmed();
    store.writeString(OnlineKey::kClientId, clientId);
    store.writeString(OnlineKey::kClientSecret, clientSecret);
}

QString CGoogleClient::AuthorisationUrl(const QString& redirectUri, const QString& codeChallenge,
                                        const QString& state) const {
    // The consent page gets the same care as the other endpoints.
    if (!HttpClient::IsAllowedUrl(QUrl(settings.authUrl)))
        return QString();
    const QList<QPair<QString, QString>> fields = {
        {QStringLiteral("client_id"), clientId},
        {QStringLiteral("redirect_uri"), redirectUri},
        {QStringLiteral("response_type"), QStringLiteral("code")},
        {QStringLiteral("scope"), QString::fromLatin1(kScope)},
        {QStringLiteral("code_challenge"), codeChallenge},
        {QStringLiteral("code_challenge_method"), QStringLiteral("S256")},
        {QStringLiteral("state"), state},
        // A refresh token every time, and the account chooser, so that signing in again
        // after the token was cleared can pick another account.
        {QStringLiteral("access_type"), QStringLiteral("offline")},
        {QStringLiteral("prompt"), QStringLiteral("select_account consent")},
    };
    const QChar joiner =
        settings.authUrl.contains(QLatin1Char('?')) ? QLatin1Char('&') : QLatin1Char('?');
    return settings.authUrl + joiner + QString::fromLatin1(formEncode(fields));
}

HttpClient::Response CGoogleClient::postToken(const QList<QPair<QString, QString>>& fields) {
    return http.PostForm(settings.tokenUrl, formEncode(fields));
}

void CGoogleClient::forgetCredentialsIfRefused(const QString& error) {
    // Google does not know the client (mistyped, or deleted in the console): ask for the
    // credentials again next time instead of failing the same way for ever.
    if (error == QLatin1String("invalid_client") || error == QLatin1String("unauthorized_client")) {
        clientId.clear();
        clientSecret.clear();
        store.writeString(OnlineKey::kClientId, QString());
        store.writeString(OnlineKey::kClientSecret, QString());
    }
}

bool CGoogleClient::ExchangeCode(const QString& code, const QString& codeVerifier,
                                 const QString& redirectUri) {
    const HttpClient::Response r = postToken({
        {QStringLiteral("code"), code},
        {QStringLiteral("client_id"), clientId},
        {QStringLiteral("client_secret"), clientSecret},
        {QStringLiteral("redirect_uri"), redirectUri},
        {QStringLiteral("grant_type"), QStringLiteral("authorization_code")},
        {QStringLiteral("code_verifier"), codeVerifier},
    });
    if (!r.completed)
        return false;
    const TokenResponse t = TokenResponse::Parse(r.body);
    refreshToken = r.ok() ? t.refreshToken : QString();
    store.writeString(OnlineKey::kRefreshToken, refreshToken);
    forgetCredentialsIfRefused(t.error);
    accessToken = r.ok() ? t.accessToken : QString();
    return !accessToken.isEmpty();
}

CGoogleClient::Refresh CGoogleClient::RefreshAccessToken() {
    if (refreshToken.isEmpty())
        return Refresh::Failed;
    const HttpClient::Response r = postToken({
        {QStringLiteral("client_id"), clientId},
        {QStringLiteral("client_secret"), clientSecret},
        {QStringLiteral("refresh_token"), refreshToken},
        {QStringLiteral("grant_type"), QStringLiteral("refresh_token")},
    });
    if (!r.completed)
        return Refresh::Failed;
    const TokenResponse t = TokenResponse::Parse(r.body);
    // Google answers a revoked or expired refresh token with 400 "invalid_grant", a client
    // it does not accept with 401.
    if (r.status == 401 || (r.status == 400 && t.error == QLatin1String("invalid_grant"))) {
        refreshToken.clear();
        store.writeString(OnlineKey::kRefreshToken, QString());
        forgetCredentialsIfRefused(t.error);
        return Refresh::Revoked;
    }
    if (!r.ok() || t.accessToken.isEmpty())
        return Refresh::Failed;
    accessToken = t.accessToken;
    return Refresh::Ok;
}

HttpClient::Response CGoogleClient::getPage(const QString& path, const QString& query,
                                            const QString& pageToken) {
    QString url = settings.peopleUrl + path + QLatin1Char('?') + query;
    if (!pageToken.isEmpty())
        url +=
            QStringLiteral("&pageToken=") + QString::fromLatin1(QUrl::toPercentEncoding(pageToken));
    return http.Get(url, {"Authorization: Bearer " + accessToken.toUtf8()});
}

bool CGoogleClient::FetchGroups(std::vector<PeopleResponse::Group>& groups) {
    QString token;
    QSet<QString> seen;
    for (int pages = 0; pages < kMaxPages; ++pages) {
        const HttpClient::Response r =
            getPage(QStringLiteral("/contactGroups"),
                    QStringLiteral("groupFields=name&pageSize=1000"), token);
        if (!r.ok())
            return false;
        PeopleResponse::GroupsPage page = PeopleResponse::ParseGroups(r.body);
        if (!page.ok)
            return false;
        for (auto& g : page.groups)
            groups.push_back(std::move(g));
        if (page.nextPageToken.isEmpty())
            return true;
        // A server that hands out a page twice would never end.
        if (seen.contains(page.nextPageToken))
            return false;
        seen.insert(page.nextPageToken);
        token = page.nextPageToken;
    }
    return false;
}

bool CGoogleClient::FetchContacts(const PeopleResponse::ContactOptions& options,
                                  std::vector<std::string>& contacts) {
    QString token;
    QSet<QString> seen;
    std::vector<std::string> read;
    for (int pages = 0; pages < kMaxPages; ++pages) {
        const HttpClient::Response r = getPage(
            QStringLiteral("/people/me/connections"),
            QStringLiteral("personFields=names,addresses,memberships&pageSize=1000"), token);
        if (!r.ok())
            return false;
        PeopleResponse::ContactsPage page = PeopleResponse::ParseConnections(r.body, options);
        if (!page.ok)
            return false;
        for (auto& c : page.contacts)
            read.push_back(std::move(c));
        if (page.nextPageToken.isEmpty()) {
            contacts.insert(contacts.end(), std::make_move_iterator(read.begin()),
                            std::make_move_iterator(read.end()));
            return true;
        }
        if (seen.contains(page.nextPageToken))
            return false;
        seen.insert(page.nextPageToken);
        token = page.nextPageToken;
    }
    return false;
}
