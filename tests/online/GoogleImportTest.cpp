#include "LoopbackPeer.h"
#include "contacts/ui/CCategoriesPP.h"
#include "mainwindow/ContactsPane.h"
#include "mainwindow/ControlIds.h"
#include "mainwindow/MainWindowHarness.h"
#include "online/OnlineSettings.h"
#include "online/Pkce.h"
#include "online/ui/CClientCredentialsDlg.h"
#include "online/ui/CGetGroups.h"
#include "online/ui/CGoogleAuth.h"
#include "platform/Shell.h"
#include "platform/ui/DialogRunner.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QPushButton>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

QByteArray fixture(const QString& name) {
    QFile f(QStringLiteral(QM_TEST_DATA_DIR "/google/") + name);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

const QByteArray kAccess = "ya29.access";
const QByteArray kRefreshed = "ya29.refreshed";
const QString kRefreshToken = QStringLiteral("1//refresh");

const std::vector<std::string> kAllHome = {
    "Ann Lee\r\n1 Mill Lane\r\nUpper Flat\r\nHereford\r\nHR1 1AA\r\nUK\r\n",
    "Bob Ray\r\n2 High St\r\nLedbury\r\nHerefordshire\r\n",
    "Bob Ray\r\nc/o Post Office\r\nRoss\r\nPO Box 9\r\n",
    "Caf\xc3\xa9 \xc3\x9cnal\r\n3 Rue\r\nLyon\r\nFrance\r\n",
    "Dan Oak\r\n",
    "Eve Stone\r\nBeach Hut 4\r\nTenby\r\n"};

// Google as the tests need it: a token endpoint that knows one code and one refresh token,
// and a People API that wants one of the access tokens it gave out, with three pages of
// connections.
struct GooglePeer {
    LoopbackPeer peer;
    QString challenge; // of the sign-in whose code is good
    QString goodCode = QStringLiteral("4/good-code");
    int chunkSize = 0;

    GooglePeer() {
        peer.on("/token", [this](const LoopbackPeer::Received& r) { return token(r); });
        peer.on("/v1/contactGroups", [this](const LoopbackPeer::Received& r) {
            return api(r, fixture(QStringLiteral("groups.json")));
        });
        peer.on("/v1/people/me/connections", [this](const LoopbackPeer::Received& r) {
            const QString page = r.query().queryItemValue(QStringLiteral("pageToken"));
            const QString file = page.isEmpty() ? QStringLiteral("connections-1.json")
                                 : page == QLatin1String("page-2")
                                     ? QStringLiteral("connections-2.json")
                                     : QStringLiteral("connections-3.json");
            return api(r, fixture(file));
        });
    }

    LoopbackPeer::Reply json(int status, const QByteArray& body) const {
        LoopbackPeer::Reply reply = LoopbackPeer::answer(status, body);
        reply.chunkSize = chunkSize;
        return reply;
    }

    LoopbackPeer::Reply token(const LoopbackPeer::Received& r) {
        const QUrlQuery f = r.form();
        const QString grant = f.queryItemValue(QStringLiteral("grant_type"));
        if (f.queryItemValue(QStringLiteral("client_id")) != QLatin1String("id-1.apps") ||
            f.queryItemValue(QStringLiteral("client_secret")) != QLatin1String("secret-1"))
            return json(401, R"({"error":"invalid_client"})");
        if (grant == QLatin1String("authorization_code") &&
            f.queryItemValue(QStringLiteral("code"), QUrl::FullyDecoded) == goodCode &&
            Pkce::ChallengeOf(f.queryItemValue(QStringLiteral("code_verifier"))) == challenge)
            return json(200, "{\"access_token\":\"" + kAccess +
                                 "\",\"expires_in\":3599,\"refresh_token\":\"" +
                                 kRefreshToken.toUtf8() + "\",\"token_type\":\"Bearer\"}");
        if (grant == QLatin1String("refresh_token") &&
            f.queryItemValue(QStringLiteral("refresh_token"), QUrl::FullyDecoded) == kRefreshToken)
            return json(200, "{\"access_token\":\"" + kRefreshed +
                                 "\",\"expires_in\":3599,\"token_type\":\"Bearer\"}");
        return json(400, R"({"error":"invalid_grant","error_description":"Bad Request"})");
    }

    LoopbackPeer::Reply api(const LoopbackPeer::Received& r, const QByteArray& body) const {
        const QByteArray auth = r.headers.value("authorization");
        if (auth != "Bearer " + kAccess && auth != "Bearer " + kRefreshed)
            return json(401, R"({"error":{"code":401,"status":"UNAUTHENTICATED"}})");
        return json(200, body);
    }

    std::vector<LoopbackPeer::Received> requestsTo(const QByteArray& path) const {
        std::vector<LoopbackPeer::Received> out;
        for (const auto& r : peer.requests)
            if (r.path() == path)
                out.push_back(r);
        return out;
    }
};

// Plays the user's browser: requests an address and keeps what came back.
struct Browser {
    QNetworkAccessManager manager;
    QByteArray page;
    bool done = false;

    Browser() { manager.setProxy(QNetworkProxy::NoProxy); }
    void open(const QUrl& url) {
        QNetworkReply* reply = manager.get(QNetworkRequest(url));
        QObject::connect(reply, &QNetworkReply::finished, reply, [this, reply] {
            page = reply->readAll();
            done = true;
            reply->deleteLater();
        });
    }
};

struct HookGuard {
    explicit HookGuard(DialogRunner::Hook hook) { DialogRunner::setHook(std::move(hook)); }
    ~HookGuard() {
        DialogRunner::setHook({});
        Shell::setOpener({});
    }
};

// One Google import through the main window's command, with the user's answers scripted.
struct Import {
    GooglePeer google;
    MainWindowHarness h;
    Browser browser;
    // What the user does in each dialog.
    enum class SignIn { Browser, Paste, Cancel, Deny, NotExpected } signIn = SignIn::Browser;
    QString pasted;
    int group = 0;
    bool work = false;
    bool cancelGroups = false;
    bool credentialsAsked = false;
    int groupDialogs = 0;
    QStringList offeredGroups;
    QUrl consentPage;
    QString redirectUri;
    QString shownText;

    Import() {
        h.store.values[OnlineKey::kClientId] = QStringLiteral("id-1.apps");
        h.store.values[OnlineKey::kClientSecret] = QStringLiteral("secret-1");
        h.store.values[OnlineKey::kAuthUrl] = google.peer.url(QStringLiteral("/auth"));
        h.store.values[OnlineKey::kTokenUrl] = google.peer.url(QStringLiteral("/token"));
        h.store.values[OnlineKey::kPeopleUrl] = google.peer.url(QStringLiteral("/v1/"));
        h.store.values[OnlineKey::kStallTimeout] = QStringLiteral("1");
    }

    int dialog(QDialog& d) {
        if (auto* c = qobject_cast<CClientCredentialsDlg*>(&d)) {
            credentialsAsked = true;
            c->control<QLineEdit>(CClientCredentialsDlg::ClientIdEdit)->setText(" id-1.apps ");
            c->control<QLineEdit>(CClientCredentialsDlg::ClientSecretEdit)->setText("secret-1");
            EXPECT_TRUE(c->control(CClientCredentialsDlg::OkButton)->isEnabled());
            return QDialog::Accepted;
        }
        if (auto* a = qobject_cast<CGoogleAuth*>(&d))
            return signInDialog(*a);
        if (auto* g = qobject_cast<CGetGroups*>(&d)) {
            ++groupDialogs;
            auto* combo = g->control<QComboBox>(CGetGroups::GroupCombo);
            for (int i = 0; i < combo->count(); ++i)
                offeredGroups << combo->itemText(i);
            EXPECT_EQ(combo->currentIndex(), 0);
            EXPECT_EQ(g->control<QCheckBox>(CGetGroups::WorkCheck)->isChecked(),
                      h.dlg->settings.prefs.homeAddresses == 0);
            if (cancelGroups) {
                qobject_cast<QPushButton*>(g->control(CGetGroups::CancelButton))->click();
                return g->result();
            }
            combo->setCurrentIndex(group);
            g->control<QCheckBox>(CGetGroups::WorkCheck)->setChecked(work);
            qobject_cast<QPushButton*>(g->control(CGetGroups::OkButton))->click();
            return g->result();
        }
        ADD_FAILURE() << "unexpected dialog " << d.metaObject()->className();
        return QDialog::Rejected;
    }

    int signInDialog(CGoogleAuth& a) {
        EXPECT_NE(signIn, SignIn::NotExpected) << "signed in although a token was stored";
        auto* paste = qobject_cast<QPushButton*>(a.control(CGoogleAuth::PasteButton));
        EXPECT_FALSE(paste->isEnabled());
        Shell::setOpener([this](const QUrl& u) {
            consentPage = u;
            return true;
        });
        qobject_cast<QPushButton*>(a.control(CGoogleAuth::OpenBrowserButton))->click();
        EXPECT_TRUE(paste->isEnabled());
        const QUrlQuery q(consentPage);
        redirectUri = q.queryItemValue(QStringLiteral("redirect_uri"), QUrl::FullyDecoded);
        const QString state = q.queryItemValue(QStringLiteral("state"), QUrl::FullyDecoded);
        google.challenge = q.queryItemValue(QStringLiteral("code_challenge"), QUrl::FullyDecoded);
        QUrl back(redirectUri + QStringLiteral("/"));
        QUrlQuery answer;
        answer.addQueryItem(QStringLiteral("state"), state);
        switch (signIn) {
        case SignIn::Browser:
            answer.addQueryItem(QStringLiteral("code"), QStringLiteral("4%2Fgood-code"));
            answer.addQueryItem(QStringLiteral("scope"), QStringLiteral("contacts.readonly"));
            back.setQuery(answer);
            browser.open(back);
            return a.exec(); // ends when the browser comes back
        case SignIn::Deny:
            answer.addQueryItem(QStringLiteral("error"), QStringLiteral("access_denied"));
            back.setQuery(answer);
            browser.open(back);
            return a.exec();
        case SignIn::Paste:
            QGuiApplication::clipboard()->setText(
                pasted.isNull() ? back.toString() + QStringLiteral("?state=") + state +
                                      QStringLiteral("&code=4%2Fgood-code")
                                : pasted);
            paste->click();
            return a.result();
        case SignIn::Cancel:
        case SignIn::NotExpected:
            break;
        }
        qobject_cast<QPushButton*>(a.control(CGoogleAuth::CancelButton))->click();
        return a.result();
    }

    // Opens the window with contacts already there (or none) and runs the command.
    CQuillmarkDlg& run(std::vector<std::string> existing = {},
                       Prompt::Answer merge = Prompt::Answer::No) {
        CQuillmarkDlg& dlg = h.dlg ? *h.dlg : h.open();
        for (auto& c : existing)
            dlg.contactList.contacts.Add(std::move(c));
        h.prompt.shown.clear();
        if (!dlg.contactList.contacts.IsEmpty())
            h.prompt.answer(merge);
        HookGuard guard([this](QDialog& d) { return dialog(d); });
        dlg.runCommand(Id::LoadGoogleContacts);
        return dlg;
    }

    QStringList messages() const {
        QStringList out;
        for (const auto& s : h.prompt.shown)
            if (s.buttons == Prompt::Buttons::Ok) {
                EXPECT_EQ(s.caption, kAppCaption);
                EXPECT_EQ(s.icon, Prompt::Icon::None);
                out << s.text;
            }
        return out;
    }

    QString stored(const QString& key) const { return h.store.values.value(key).toString(); }
};

bool listening(const QString& address) {
    QTcpSocket s;
    const QUrl u(address);
    s.connectToHost(QHostAddress::LocalHost, static_cast<quint16>(u.port()));
    return s.waitForConnected(1000);
}

} // namespace

TEST(GoogleImport, FirstImportSignsInThroughTheLoopbackRedirect) {
    Import im;
    CQuillmarkDlg& dlg = im.run();
    EXPECT_TRUE(im.messages().isEmpty()) << im.messages().join('|').toStdString();

    // The consent page: the user's client, the loopback address, PKCE and a state.
    EXPECT_EQ(im.consentPage.toString(QUrl::RemoveQuery),
              im.google.peer.url(QStringLiteral("/auth")));
    const QUrlQuery q(im.consentPage);
    EXPECT_EQ(q.queryItemValue(QStringLiteral("client_id")), QStringLiteral("id-1.apps"));
    EXPECT_EQ(q.queryItemValue(QStringLiteral("response_type")), QStringLiteral("code"));
    EXPECT_EQ(q.queryItemValue(QStringLiteral("scope"), QUrl::FullyDecoded),
              QStringLiteral("https://www.googleapis.com/auth/contacts.readonly"));
    EXPECT_EQ(q.queryItemValue(QStringLiteral("code_challenge_method")), QStringLiteral("S256"));
    EXPECT_TRUE(im.redirectUri.startsWith(QStringLiteral("http://127.0.0.1:")));
    EXPECT_GE(q.queryItemValue(QStringLiteral("state")).size(), 16);

    // The browser was told it may close, and nothing listens any more.
    EXPECT_TRUE(QTest::qWaitFor([&] { return im.browser.done; }, 5000));
    EXPECT_TRUE(im.browser.page.contains("You can close this window"));
    EXPECT_FALSE(listening(im.redirectUri));

    // The code went to the token endpoint with the verifier and the same redirect address.
    const auto tokens = im.google.requestsTo("/token");
    ASSERT_EQ(tokens.size(), 1u);
    const QUrlQuery form = tokens[0].form();
    EXPECT_EQ(form.queryItemValue(QStringLiteral("grant_type")),
              QStringLiteral("authorization_code"));
    EXPECT_EQ(form.queryItemValue(QStringLiteral("redirect_uri"), QUrl::FullyDecoded),
              im.redirectUri);
    EXPECT_EQ(im.stored(OnlineKey::kRefreshToken), kRefreshToken);

    // Groups offered after "All contacts"; all three pages of connections were read.
    EXPECT_EQ(im.offeredGroups, (QStringList{"All contacts", "My Contacts", "Family", "Club"}));
    const auto pages = im.google.requestsTo("/v1/people/me/connections");
    ASSERT_EQ(pages.size(), 3u);
    for (const auto& p : pages) {
        EXPECT_EQ(p.headers.value("authorization"), "Bearer " + kAccess);
        EXPECT_EQ(p.query().queryItemValue(QStringLiteral("personFields"), QUrl::FullyDecoded),
                  QStringLiteral("names,addresses,memberships"));
    }
    EXPECT_EQ(pages[2].query().queryItemValue(QStringLiteral("pageToken")),
              QStringLiteral("page-3"));
    std::vector<std::string> expected = kAllHome;
    EXPECT_EQ(dlg.contactList.contacts.Strings(), expected);
    EXPECT_EQ(dlg.settings.prefs.contactSource, ContactSource::kGoogle);
    EXPECT_EQ(dlg.control<QLabel>(Id::ContactsCaption)->text().left(16),
              QStringLiteral("Google Contacts:"));
}

TEST(GoogleImport, LaterImportRefreshesWithoutSigningIn) {
    Import im;
    im.h.store.values[OnlineKey::kRefreshToken] = kRefreshToken;
    im.signIn = Import::SignIn::NotExpected;
    im.google.chunkSize = 40; // every answer in small chunks
    im.group = 2;             // "Family"
    im.work = true;
    CQuillmarkDlg& dlg = im.run({"Old Contact\r\n"}, Prompt::Answer::Yes);
    EXPECT_EQ(im.h.prompt.shown.at(0).text,
              QStringLiteral("Merge Google Contacts with Contact List (click No to replace)?"));
    EXPECT_EQ(im.messages(), QStringList());
    const auto tokens = im.google.requestsTo("/token");
    ASSERT_EQ(tokens.size(), 1u);
    EXPECT_EQ(tokens[0].form().queryItemValue(QStringLiteral("grant_type")),
              QStringLiteral("refresh_token"));
    // A refresh never rewrites the stored token.
    EXPECT_EQ(im.stored(OnlineKey::kRefreshToken), kRefreshToken);
    EXPECT_EQ(dlg.settings.prefs.homeAddresses, 0);
    EXPECT_EQ(dlg.contactList.contacts.Strings(),
              (std::vector<std::string>{"Ann Lee\r\nOffice 5\r\nLeominster\r\n", "Dan Oak\r\n",
                                        "Old Contact\r\n"}));

    // The next import opens the group dialog with work addresses ticked, and "All contacts".
    im.group = 0;
    im.work = false;
    im.run({}, Prompt::Answer::No);
    EXPECT_EQ(im.groupDialogs, 2);
    EXPECT_EQ(dlg.settings.prefs.homeAddresses, 1);
    EXPECT_EQ(dlg.contactList.contacts.Strings(), kAllHome);
}

TEST(GoogleImport, ClearOnTheCategoriesPageBringsTheSignInBack) {
    Import im;
    im.h.store.values[OnlineKey::kRefreshToken] = QStringLiteral("1//someone-else");
    CCategoriesPP page({}, false, im.h.store);
    qobject_cast<QPushButton*>(page.control(CCategoriesPP::ClearTokenButton))->click();
    EXPECT_EQ(im.stored(OnlineKey::kRefreshToken), QString());
    // The credentials stay; the next import signs in afresh.
    EXPECT_EQ(im.stored(OnlineKey::kClientId), QStringLiteral("id-1.apps"));
    CQuillmarkDlg& dlg = im.run();
    EXPECT_FALSE(im.consentPage.isEmpty());
    EXPECT_EQ(im.stored(OnlineKey::kRefreshToken), kRefreshToken);
    EXPECT_EQ(dlg.contactList.contacts.Strings(), kAllHome);
}

TEST(GoogleImport, StartUpReloadsFromGoogleWhenTheListCameFromThere) {
    Import im;
    im.h.store.values[OnlineKey::kRefreshToken] = kRefreshToken;
    im.signIn = Import::SignIn::NotExpected;
    LabelPreferences prefs;
    prefs.contactSource = ContactSource::kGoogle;
    prefs.homeAddresses = 0;
    const auto bytes = prefs.toBytes();
    im.h.store.values[QStringLiteral("Preferences")] =
        QByteArray(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    im.work = true;
    HookGuard guard([&](QDialog& d) { return im.dialog(d); });
    CQuillmarkDlg& dlg = im.h.open();
    EXPECT_EQ(im.groupDialogs, 1);
    EXPECT_EQ(dlg.settings.prefs.contactSource, ContactSource::kGoogle);
    EXPECT_EQ(dlg.contactList.contacts.GetSize(), 5);
    EXPECT_EQ(dlg.control<QLabel>(Id::ContactsCaption)->text().left(16),
              QStringLiteral("Google Contacts:"));
}

TEST(GoogleImport, RefusedRefreshTokenIsClearedOrKept) {
    const struct {
        const char* title;
        int status;
        QByteArray body;
        bool cleared;
    } cases[] = {
        {"revoked", 400,
         R"({"error":"invalid_grant","error_description":"Token has been expired or revoked."})",
         true},
        {"unauthorised", 401, R"({"error":"unauthorized_client"})", true},
        {"server trouble", 500, "oops", false},
        {"no access token", 200, R"({"token_type":"Bearer"})", false},
    };
    for (const auto& c : cases) {
        Import im;
        im.h.store.values[OnlineKey::kRefreshToken] = kRefreshToken;
        im.signIn = Import::SignIn::NotExpected;
        im.google.peer.on("/token", LoopbackPeer::answer(c.status, c.body));
        CQuillmarkDlg& dlg = im.run({"Old Contact\r\n"});
        EXPECT_EQ(im.messages(), QStringList{"Error using refresh token"}) << c.title;
        EXPECT_EQ(im.stored(OnlineKey::kRefreshToken), c.cleared ? QString() : kRefreshToken)
            << c.title;
        EXPECT_EQ(im.groupDialogs, 0) << c.title;
        EXPECT_TRUE(im.google.requestsTo("/v1/contactGroups").empty()) << c.title;
        EXPECT_EQ(dlg.contactList.contacts.Strings(), std::vector<std::string>{"Old Contact\r\n"});
    }
}

TEST(GoogleImport, CancelledOrDeniedSignInStoresNothingAndStopsListening) {
    for (auto way : {Import::SignIn::Cancel, Import::SignIn::Deny}) {
        Import im;
        im.signIn = way;
        CQuillmarkDlg& dlg = im.run({"Old Contact\r\n"});
        EXPECT_EQ(im.messages(), QStringList());
        EXPECT_FALSE(im.h.store.values.contains(OnlineKey::kRefreshToken));
        EXPECT_TRUE(im.google.peer.requests.empty());
        EXPECT_FALSE(im.redirectUri.isEmpty());
        EXPECT_FALSE(listening(im.redirectUri));
        EXPECT_EQ(dlg.contactList.contacts.Strings(), std::vector<std::string>{"Old Contact\r\n"});
        EXPECT_EQ(dlg.settings.prefs.contactSource, LabelPreferences().contactSource);
    }
}

TEST(GoogleImport, PastedAddressSignsInAndABadCodeDoesNot) {
    {
        Import im;
        im.signIn = Import::SignIn::Paste; // the whole address from the address bar
        CQuillmarkDlg& dlg = im.run();
        EXPECT_EQ(im.messages(), QStringList());
        EXPECT_EQ(im.stored(OnlineKey::kRefreshToken), kRefreshToken);
        EXPECT_EQ(dlg.contactList.contacts.GetSize(), 6);
    }
    {
        // A wrong code: the exchange completes, the empty refresh token is stored, and the
        // user is told instead of finding an empty list.
        Import im;
        im.signIn = Import::SignIn::Paste;
        im.pasted = QStringLiteral("4/expired");
        CQuillmarkDlg& dlg = im.run({"Old Contact\r\n"});
        EXPECT_EQ(im.messages(), QStringList{"Error getting authorisation"});
        EXPECT_TRUE(im.h.store.values.contains(OnlineKey::kRefreshToken));
        EXPECT_EQ(im.stored(OnlineKey::kRefreshToken), QString());
        EXPECT_EQ(im.google.requestsTo("/token").at(0).form().queryItemValue(QStringLiteral("code"),
                                                                             QUrl::FullyDecoded),
                  QStringLiteral("4/expired"));
        EXPECT_EQ(dlg.contactList.contacts.Strings(), std::vector<std::string>{"Old Contact\r\n"});
    }
}

TEST(GoogleImport, ClientCredentialsAreAskedOnceAndForgottenWhenGoogleRefusesThem) {
    Import im;
    im.h.store.values.remove(OnlineKey::kClientId);
    im.h.store.values.remove(OnlineKey::kClientSecret);
    im.run();
    EXPECT_TRUE(im.credentialsAsked);
    EXPECT_EQ(im.stored(OnlineKey::kClientId), QStringLiteral("id-1.apps"));
    EXPECT_EQ(im.stored(OnlineKey::kClientSecret), QStringLiteral("secret-1"));
    EXPECT_EQ(im.h.dlg->contactList.contacts.GetSize(), 6);

    im.credentialsAsked = false;
    im.signIn = Import::SignIn::NotExpected;
    im.run({}, Prompt::Answer::No);
    EXPECT_FALSE(im.credentialsAsked);

    // The client was deleted in the console: the next import asks again.
    im.h.store.values[OnlineKey::kClientSecret] = QStringLiteral("old-secret");
    im.run({}, Prompt::Answer::No);
    EXPECT_EQ(im.messages(), QStringList{"Error using refresh token"});
    EXPECT_EQ(im.stored(OnlineKey::kClientId), QString());

    // Cancel in the credentials dialog ends the import silently.
    Import cancelled;
    cancelled.h.store.values.remove(OnlineKey::kClientId);
    HookGuard guard([](QDialog&) { return int(QDialog::Rejected); });
    CQuillmarkDlg& dlg = cancelled.h.open();
    dlg.runCommand(Id::LoadGoogleContacts);
    EXPECT_TRUE(cancelled.h.prompt.shown.empty());
    EXPECT_TRUE(cancelled.google.peer.requests.empty());
}

TEST(GoogleImport, CancelInTheGroupDialogKeepsTheAddressChoice) {
    Import im;
    im.h.store.values[OnlineKey::kRefreshToken] = kRefreshToken;
    im.signIn = Import::SignIn::NotExpected;
    im.cancelGroups = true;
    CQuillmarkDlg& dlg = im.run({"Old Contact\r\n"});
    EXPECT_EQ(im.messages(), QStringList());
    EXPECT_EQ(dlg.settings.prefs.homeAddresses, 1);
    EXPECT_TRUE(im.google.requestsTo("/v1/people/me/connections").empty());
    EXPECT_EQ(dlg.contactList.contacts.Strings(), std::vector<std::string>{"Old Contact\r\n"});
}

TEST(GoogleImport, FailingServicesEndTheImportWithTheirMessage) {
    LoopbackPeer::Reply silent;
    silent.silent = true;
    const struct {
        const char* title;
        QByteArray path;
        LoopbackPeer::Reply reply;
        const char* message;
        int homeAddresses;
    } cases[] = {
        {"groups refused", "/v1/contactGroups", LoopbackPeer::answer(401, "{}"),
         "Error retrieving groups from Google", 1},
        {"groups not JSON", "/v1/contactGroups", LoopbackPeer::answer(200, "<feed/>"),
         "Error retrieving groups from Google", 1},
        {"contacts fail", "/v1/people/me/connections", LoopbackPeer::answer(500, "{}"),
         "Error retrieving contacts from Google", 0},
        {"contacts never answer", "/v1/people/me/connections", silent,
         "Error retrieving contacts from Google", 0},
    };
    for (const auto& c : cases) {
        Import im;
        im.h.store.values[OnlineKey::kRefreshToken] = kRefreshToken;
        im.signIn = Import::SignIn::NotExpected;
        im.work = true;
        im.google.peer.on(c.path, c.reply);
        QElapsedTimer t;
        t.start();
        CQuillmarkDlg& dlg = im.run({"Old Contact\r\n"});
        EXPECT_LT(t.elapsed(), 10000) << c.title;
        EXPECT_EQ(im.messages(), QStringList{QString::fromLatin1(c.message)}) << c.title;
        // The address choice is kept once made, even when the contacts then fail.
        EXPECT_EQ(dlg.settings.prefs.homeAddresses, c.homeAddresses) << c.title;
        EXPECT_EQ(dlg.contactList.contacts.Strings(), std::vector<std::string>{"Old Contact\r\n"})
            << c.title;
    }
}

TEST(GoogleImport, PlainHttpConsentPageElsewhereIsRefused) {
    Import im;
    im.h.store.values[OnlineKey::kAuthUrl] = QStringLiteral("http://accounts.example.com/auth");
    im.signIn = Import::SignIn::NotExpected;
    CQuillmarkDlg& dlg = im.run();
    EXPECT_EQ(im.messages(), QStringList{"Error getting authorisation"});
    EXPECT_TRUE(im.consentPage.isEmpty());
    EXPECT_TRUE(im.google.peer.requests.empty());
    EXPECT_TRUE(dlg.contactList.contacts.IsEmpty());
}

TEST(GoogleImport, SelfSignedTokenEndpointIsRefused) {
    QTemporaryDir dir;
    TestCertificate cert;
    ASSERT_TRUE(cert.Make(dir.path(), QStringLiteral("IP:127.0.0.1")));
    LoopbackPeer tls(cert.certFile, cert.keyFile);
    tls.on("/token", LoopbackPeer::answer(200, R"({"access_token":"x"})"));
    Import im;
    im.h.store.values[OnlineKey::kRefreshToken] = kRefreshToken;
    im.h.store.values[OnlineKey::kTokenUrl] = tls.url(QStringLiteral("/token"));
    im.signIn = Import::SignIn::NotExpected;
    im.run();
    EXPECT_EQ(im.messages(), QStringList{"Error using refresh token"});
    EXPECT_TRUE(tls.requests.empty());
    EXPECT_EQ(im.stored(OnlineKey::kRefreshToken), kRefreshToken);
}

TEST(GoogleImport, StraysAtTheRedirectAddressDoNotEndTheWait) {
    Import im;
    im.signIn = Import::SignIn::NotExpected;
    // Sign in by hand: a request without the state and an icon request come first.
    Browser stray;
    HookGuard guard([&](QDialog& d) -> int {
        auto* a = qobject_cast<CGoogleAuth*>(&d);
        if (!a)
            return im.dialog(d);
        QUrl consent;
        Shell::setOpener([&](const QUrl& u) {
            consent = u;
            return true;
        });
        qobject_cast<QPushButton*>(a->control(CGoogleAuth::OpenBrowserButton))->click();
        const QUrlQuery q(consent);
        const QString redirect =
            q.queryItemValue(QStringLiteral("redirect_uri"), QUrl::FullyDecoded);
        im.google.challenge = q.queryItemValue(QStringLiteral("code_challenge"));
        stray.open(QUrl(redirect + QStringLiteral("/?code=4%2Fgood-code&state=forged")));
        EXPECT_TRUE(QTest::qWaitFor([&] { return stray.done; }, 5000));
        EXPECT_FALSE(stray.page.contains("You can close"));
        EXPECT_TRUE(a->isVisible() || !a->result());
        im.browser.open(QUrl(redirect + QStringLiteral("/favicon.ico")));
        EXPECT_TRUE(QTest::qWaitFor([&] { return im.browser.done; }, 5000));
        im.browser.done = false;
        im.browser.open(QUrl(redirect + QStringLiteral("/?code=4%2Fgood-code&state=") +
                             q.queryItemValue(QStringLiteral("state"))));
        return a->exec();
    });
    CQuillmarkDlg& dlg = im.h.open();
    dlg.runCommand(Id::LoadGoogleContacts);
    EXPECT_EQ(im.messages(), QStringList());
    EXPECT_EQ(dlg.contactList.contacts.GetSize(), 6);
}
