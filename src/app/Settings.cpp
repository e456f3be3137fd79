#include "app/Settings.h"

#include "platform/SettingsStore.h"

void SetDefaultSettings(Settings& settings) {
    settings.prefs = LabelPreferences{};
    settings.prefs.settingsVersion = LabelPreferences::kCurrentVersion;
    settings.fontName = Settings::kDefaultFont;
    settings.labelName = Settings::kDefaultLabelName;
}

bool LoadSettings(const SettingsStore& store, Settings& scratch, QString& contactFileName) {
    const auto bytes = store.readBinary(QStringLiteral("Preferences"));
    if (!bytes)
        return false;
    scratch.prefs.overlay(reinterpret_cast<const std::uint8_t*>(bytes->constData()),
                          static_cast<std::size_t>(bytes->size()));
    scratch.fontName = store.readString(QStringLiteral("FontName"), Settings::kDefaultFont);
    scratch.labelName =
        store.readString(QStringLiteral("LabelName"), Settings::kStoredDefaultLabelName);
    if (contactFileName.isEmpty())
        contactFileName = store.readString(QStringLiteral("DefaultList"), QString());
    return true;
}

void ApplyUpgradeRules(LabelPreferences& prefs) {
    if (prefs.settingsVersion < 300)
        prefs.textColour = 0;
    if (prefs.settingsVersion < 220) {
        prefs.usStyle = 0;
        prefs.sortByLastName = 0;
        prefs.contactSource = ContactSource::kWindowsContacts;
    }
    if (prefs.settingsVersion < 180)
        prefs.margin = 5;
}

void SaveSettings(SettingsStore& store, const Settings& settings, const QString& contactFileName) {
    const auto bytes = settings.prefs.toBytes();
    store.writeBinary(QStringLiteral("Preferences"),
                      QByteArray(reinterpret_cast<const char*>(bytes.data()),
                                 static_cast<qsizetype>(bytes.size())));
    store.writeString(QStringLiteral("FontName"), settings.fontName);
    store.writeString(QStringLiteral("LabelName"), settings.labelName);
    store.writeString(QStringLiteral("DefaultList"), contactFileName);
}
