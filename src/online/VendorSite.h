#pragma once

#include <QString>

class SettingsStore;

// What the program knows about its vendor's website: the home page the "Website" button
// opens, the file the update check reads and the button's tooltip. The defaults can be
// overridden by the values "VendorHost" (a host name) in the settings store.
class VendorSite {
public:
    static VendorSite fromSettings(const SettingsStore& store);
    explicit VendorSite(QString host = QString::fromLatin1(kDefaultHost));

    QString homePage() const;          // http://<host>/
    QString latestVersionFile() const; // https://<host>/qmk/latest_version.txt
    QString toolTip() const;           // "Visit " + host

    static constexpr const char* kDefaultHost = "www.brambleworks.co.uk";

private:
    QString host;
};
