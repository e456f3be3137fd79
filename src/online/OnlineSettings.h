#pragma once

#include "online/HttpClient.h"

#include <QString>

class SettingsStore;

// Where the program's online services live and how long it waits for them, from the
// settings store with Google's and the vendor's addresses as defaults, so that a
// self-hosted or test peer can stand in for them.
struct OnlineSettings {
    QString authUrl;   // "GoogleAuthUrl": the consent page
    QString tokenUrl;  // "GoogleTokenUrl"
    QString peopleUrl; // "GooglePeopleUrl": the API root above contactGroups and people/me
    QString updateUrl; // "UpdateUrl": the whole address of the latest-version file
    HttpClient::Options http;

    static OnlineSettings Read(const SettingsStore& store);

    static constexpr const char* kDefaultAuthUrl = "https://accounts.google.com/o/oauth2/v2/auth";
    static constexpr const char* kDefaultTokenUrl = "https://oauth2.googleapis.com/token";
    static constexpr const char* kDefaultPeopleUrl = "https://people.googleapis.com/v1";
};

// The names of the values in the settings store.
namespace OnlineKey {
inline const QString kRefreshToken = QStringLiteral("RefreshToken");
inline const QString kClientId = QStringLiteral("GoogleClientId");
inline const QString kClientSecret = QStringLiteral("GoogleClientSecret");
inline const QString kAuthUrl = QStringLiteral("GoogleAuthUrl");
inline const QString kTokenUrl = QStringLiteral("GoogleTokenUrl");
inline const QString kPeopleUrl = QStringLiteral("GooglePeopleUrl");
inline const QString kUpdateUrl = QStringLiteral("UpdateUrl");
// Seconds; the defaults are 15 and 30.
inline const QString kConnectTimeout = QStringLiteral("NetworkConnectTimeout");
inline const QString kStallTimeout = QStringLiteral("NetworkStallTimeout");
} // namespace OnlineKey
