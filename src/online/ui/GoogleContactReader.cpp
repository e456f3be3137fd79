#include "online/ui/GoogleContactReader.h"

#include "labels/LabelPreferences.h"
#include "online/CGoogleClient.h"
#include "online/Pkce.h"
#include "online/RedirectListener.h"
#include "online/ui/CClientCredentialsDlg.h"
#include "online/ui/CGetGroups.h"
#include "online/ui/CGoogleAuth.h"
#include "platform/Prompt.h"
#include "platform/ui/DialogRunner.h"

#include <QStringList>

GoogleContactReader::GoogleContactReader(LabelPreferences& p, SettingsStore& s, QWidget* w)
    : prefs(p), store(s), parent(w) {}

ContactReader::Result GoogleContactReader::Read(QString&, CSortStrArray& list, bool usStyle) {
    Result r;
    r.ok = LoadGoogleContacts(list, usStyle);
    return r;
}

bool GoogleContactReader::askForClientCredentials(CGoogleClient& client) {
    CClientCredentialsDlg dlg(parent);
    if (DialogRunner::exec(dlg) != QDialog::Accepted || dlg.clientId().isEmpty() ||
        dlg.clientSecret().isEmpty())
        return false;
    client.SetClientCredentials(dlg.clientId(), dlg.clientSecret());
    return true;
}

GoogleContactReader::AuthoriseResult GoogleContactReader::Authorise(CGoogleClient& client) {
    const Pkce pkce = Pkce::Make();
    RedirectListener listener(Pkce::RandomState());
    if (!listener.Listen())
        return Failed;
    const QString redirectUri = listener.RedirectUri();
    const QString consentPage =
        client.AuthorisationUrl(redirectUri, pkce.challenge, listener.ExpectedState());
    if (consentPage.isEmpty())
        return Failed;
    CGoogleAuth dlg(consentPage, listener, parent);
    const int result = DialogRunner::exec(dlg);
    // Whatever ended the dialog, nothing waits for the browser any more.
    listener.Close();
    if (result != QDialog::Accepted)
        return Cancelled;
    return client.ExchangeCode(dlg.code(), pkce.verifier, redirectUri) ? Authorised : Failed;
}

bool GoogleContactReader::LoadGoogleContacts(CSortStrArray& list, bool usStyle) {
    CGoogleClient client(store);
    if (!client.HasClientCredentials() && !askForClientCredentials(client))
        return false;

    if (client.HasRefreshToken()) {
        if (client.RefreshAccessToken() != CGoogleClient::Refresh::Ok) {
            showMessage(QStringLiteral("Error using refresh token"));
            return false;
        }
    } else {
        const AuthoriseResult a = Authorise(client);
        if (a == Cancelled)
            return false;
        if (a == Failed) {
            showMessage(QStringLiteral("Error getting authorisation"));
            return false;
        }
    }

    std::vector<PeopleResponse::Group> groups;
    if (!client.FetchGroups(groups)) {
        showMessage(QStringLiteral("Error retrieving groups from Google"));
        return false;
    }
    QStringList names;
    for (const auto& g : groups)
        names << g.name;
    CGetGroups dlg(names, prefs.homeAddresses == 0 ? 1 : 0, parent);
    if (DialogRunner::exec(dlg) != QDialog::Accepted)
        return false;

    PeopleResponse::ContactOptions options;
    if (dlg.selection > 0 && dlg.selection <= static_cast<int>(groups.size()))
        options.groupResource = groups[static_cast<std::size_t>(dlg.selection - 1)].resourceName;
    prefs.homeAddresses = dlg.workAddresses == 0 ? 1 : 0;
    options.workAddresses = prefs.homeAddresses == 0;
    options.formatted = usStyle;

    std::vector<std::string> contacts;
    if (!client.FetchContacts(options, contacts)) {
        showMessage(QStringLiteral("Error retrieving contacts from Google"));
        return false;
    }
    for (std::string& c : contacts)
        list.Add(std::move(c));
    return true;
}
