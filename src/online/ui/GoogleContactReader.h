#pragma once

#include "contacts/ContactReader.h"

class CGoogleClient;
class QWidget;
class SettingsStore;
struct LabelPreferences;

// "Load Google Contacts...": signs in to Google (or uses the stored refresh token), lets
// the user choose a group and home or work addresses, and appends the account's contacts.
class GoogleContactReader : public ContactReader {
public:
    // prefs holds homeAddresses, which the group dialog remembers; the dialogs are owned by
    // parent.
    GoogleContactReader(LabelPreferences& prefs, SettingsStore& store, QWidget* parent);

    Result Read(QString& fileName, CSortStrArray& list, bool usStyle) override;

    // True when contacts were read (possibly none); false when the import ended early,
    // after its message.
    bool LoadGoogleContacts(CSortStrArray& list, bool usStyle);

    enum AuthoriseResult { Failed = 0, Authorised = 1, Cancelled = 2 };
    AuthoriseResult Authorise(CGoogleClient& client);

private:
    bool askForClientCredentials(CGoogleClient& client);

    LabelPreferences& prefs;
    SettingsStore& store;
    QWidget* parent;
};
