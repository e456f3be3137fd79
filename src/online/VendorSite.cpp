#include "online/VendorSite.h"

#include "platform/SettingsStore.h"

#include <QRegularExpression>

VendorSite::VendorSite(QString h) : host(std::move(h)) {}

VendorSite VendorSite::fromSettings(const SettingsStore& store) {
    const QString h = store.readString(QStringLiteral("VendorHost"), QString()).trimmed();
    // Only a bare host name is taken, so a stored value cannot point the button elsewhere
    // than a web page.
    static const QRegularExpression hostName(QStringLiteral("^[A-Za-z0-9.-]+$"));
    if (h.isEmpty() || !hostName.match(h).hasMatch())
        return VendorSite();
    return VendorSite(h);
}

QString VendorSite::homePage() const {
    return QStringLiteral("http://") + host + QLatin1Char('/');
}

QString VendorSite::latestVersionFile() const {
    return QStringLiteral("https://") + host + QStringLiteral("/qmk/latest_version.txt");
}

QString VendorSite::toolTip() const {
    return QStringLiteral("Visit ") + host;
}
