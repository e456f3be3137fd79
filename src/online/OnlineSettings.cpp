#include "online/OnlineSettings.h"

#include "online/VendorSite.h"
#include "platform/SettingsStore.h"

namespace {

QString address(const SettingsStore& store, const QString& key, const QString& fallback) {
    const QString v = store.readString(key, QString()).trimmed();
    return v.isEmpty() ? fallback : v;
}

// A time-out of at least a second; anything else stored keeps the default.
int seconds(const SettingsStore& store, const QString& key, int fallback) {
    bool ok = false;
    const int v = store.readString(key, QString()).trimmed().toInt(&ok);
    return ok && v > 0 ? v : fallback;
}

} // namespace

OnlineSettings OnlineSettings::Read(const SettingsStore& store) {
    OnlineSettings s;
    s.authUrl = address(store, OnlineKey::kAuthUrl, QString::fromLatin1(kDefaultAuthUrl));
    s.tokenUrl = address(store, OnlineKey::kTokenUrl, QString::fromLatin1(kDefaultTokenUrl));
    s.peopleUrl = address(store, OnlineKey::kPeopleUrl, QString::fromLatin1(kDefaultPeopleUrl));
    while (s.peopleUrl.endsWith(QLatin1Char('/')))
        s.peopleUrl.chop(1);
    s.updateUrl =
        address(store, OnlineKey::kUpdateUrl, VendorSite::fromSettings(store).latestVersionFile());
    s.http.connectTimeoutSeconds =
        seconds(store, OnlineKey::kConnectTimeout, s.http.connectTimeoutSeconds);
    s.http.stallTimeoutSeconds =
        seconds(store, OnlineKey::kStallTimeout, s.http.stallTimeoutSeconds);
    return s;
}
