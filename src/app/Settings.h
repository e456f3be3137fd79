#pragma once

#include "labels/LabelPreferences.h"

#include <QString>

class SettingsStore;

// The settings as the main window keeps them: the record and the strings stored beside it.
struct Settings {
    LabelPreferences prefs;
    QString fontName;
    QString labelName;

    static inline const QString kDefaultFont = QStringLiteral("Times New Roman");
    // The defaults name the sheet with a capital X; a stored record without a name reads
    // back with a small x. Both forms are shown as they are.
    static inline const QString kDefaultLabelName = QStringLiteral("Default 2X8 label");
    static inline const QString kStoredDefaultLabelName = QStringLiteral("Default 2x8 label");
};

// Writes the defaults: the default record (all other bytes zero), the default face and
// label name, and the current record version.
void SetDefaultSettings(Settings& settings);

// Reads the stored settings over `scratch`; false (and nothing read) when no record was
// stored. contactFileName is filled from "DefaultList" only when it is empty.
bool LoadSettings(const SettingsStore& store, Settings& scratch, QString& contactFileName);

// Brings a record written by an older version up to date, by its stored version.
void ApplyUpgradeRules(LabelPreferences& prefs);

void SaveSettings(SettingsStore& store, const Settings& settings, const QString& contactFileName);
