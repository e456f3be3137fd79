#include "LoopbackPeer.h"
#include "online/PeopleResponse.h"
#include "online/Pkce.h"
#include "online/RedirectListener.h"
#include "online/TokenResponse.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

QByteArray fixture(const char* name) {
    QFile f(QStringLiteral(QM_TEST_DATA_DIR "/google/") + QLatin1String(name));
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

using Contacts = std::vector<std::string>;

Contacts allPages(const PeopleResponse::ContactOptions& o) {
    Contacts out;
    for (const char* page : {"connections-1.json", "connections-2.json", "connections-3.json"}) {
        const auto p = PeopleResponse::ParseConnections(fixture(page), o);
        EXPECT_TRUE(p.ok) << page;
        out.insert(out.end(), p.contacts.begin(), p.contacts.end());
    }
    return out;
}

} // namespace

TEST(TokenResponse, FieldsAreReadAsJson) {
    const QString longToken(600, QLatin1Char('t'));
    const struct {
        QByteArray body;
        QString access, type, refresh, error;
        qint64 expires;
    } cases[] = {
        {R"({"access_token": "ya29.a", "expires_in": 3599, "refresh_token": "1//r",
             "scope": "https://www.googleapis.com/auth/contacts.readonly",
             "token_type": "Bearer"})",
         "ya29.a", "Bearer", "1//r", "", 3599},
        // The lifetime whole, however it is written; keys are matched whole, not inside
        // other keys or values.
        {R"({"expires_in":"42","token_type":"Bearer","access_token":"a","x_access":"b"})", "a",
         "Bearer", "", "", 42},
        {R"({"refresh_token":"r","token_type":"Bearer"})", "", "Bearer", "r", "", 0},
        {R"({"note":"access_token inside a value","access":"no"})", "", "", "", "", 0},
        {"{\"access_token\":\"" + longToken.toLatin1() + "\"}", longToken, "", "", "", 0},
        {R"({"error":"invalid_grant","error_description":"Bad Request"})", "", "", "",
         "invalid_grant", 0},
        {R"({"access_token": 17, "expires_in": 1e300})", "", "", "", "", 0},
        {"HTTP/1.1 200 OK\r\n\r\n{\"access_token\":\"a\"}", "", "", "", "", 0},
        {"", "", "", "", "", 0},
        {"[1,2]", "", "", "", "", 0},
    };
    for (const auto& c : cases) {
        const TokenResponse t = TokenResponse::Parse(c.body);
        EXPECT_EQ(t.accessToken, c.access) << c.body.toStdString();
        EXPECT_EQ(t.tokenType, c.type) << c.body.toStdString();
        EXPECT_EQ(t.refreshToken, c.refresh) << c.body.toStdString();
        EXPECT_EQ(t.error, c.error) << c.body.toStdString();
        EXPECT_EQ(t.expiresIn, c.expires) << c.body.toStdString();
    }
}

TEST(PeopleResponse, GroupsInTheirOrderWithTheNamesPeopleSee) {
    const auto page = PeopleResponse::ParseGroups(fixture("groups.json"));
    ASSERT_TRUE(page.ok);
    ASSERT_EQ(page.groups.size(), 3u);
    EXPECT_EQ(page.groups[0].name, QStringLiteral("My Contacts"));
    EXPECT_EQ(page.groups[0].resourceName, QStringLiteral("contactGroups/myContacts"));
    EXPECT_EQ(page.groups[1].name, QStringLiteral("Family"));
    EXPECT_EQ(page.groups[2].name, QStringLiteral("Club"));
    EXPECT_EQ(page.groups[2].resourceName, QStringLiteral("contactGroups/60"));
    EXPECT_TRUE(page.nextPageToken.isEmpty());

    for (const char* bad : {"", "<feed/>", "[]", "{\"contactGroups\": 5}"}) {
        const auto p = PeopleResponse::ParseGroups(bad);
        EXPECT_TRUE(p.groups.empty()) << bad;
    }
    EXPECT_FALSE(PeopleResponse::ParseGroups("<html>").ok);
    EXPECT_EQ(PeopleResponse::ParseGroups(R"({"nextPageToken":"n2"})").nextPageToken,
              QStringLiteral("n2"));
}

TEST(PeopleResponse, ContactsPerAddressKindGroupAndStyle) {
    const struct {
        const char* title;
        bool work;
        bool formatted;
        const char* group;
        Contacts expected;
    } cases[] = {
        {"home addresses, one contact per address, the name alone without one",
         false,
         false,
         "",
         {"Ann Lee\r\n1 Mill Lane\r\nUpper Flat\r\nHereford\r\nHR1 1AA\r\nUK\r\n",
          "Bob Ray\r\n2 High St\r\nLedbury\r\nHerefordshire\r\n",
          "Bob Ray\r\nc/o Post Office\r\nRoss\r\nPO Box 9\r\n",
          "Caf\xc3\xa9 \xc3\x9cnal\r\n3 Rue\r\nLyon\r\nFrance\r\n", "Dan Oak\r\n",
          "Eve Stone\r\nBeach Hut 4\r\nTenby\r\n"}},
        {"work addresses: only the type \"work\" counts",
         true,
         false,
         "",
         {"Ann Lee\r\nOffice 5\r\nLeominster\r\n", "Bob Ray\r\n", "Caf\xc3\xa9 \xc3\x9cnal\r\n",
          "Dan Oak\r\n", "Eve Stone\r\n\r\nCardiff\r\n"}},
        {"US style takes the formatted address",
         false,
         true,
         "",
         {"Ann Lee\r\n1 Mill Lane\r\nUpper Flat\r\nHereford HR1 1AA\r\nUK\r\n", "Bob Ray\r\n",
          "Bob Ray\r\n", "Caf\xc3\xa9 \xc3\x9cnal\r\n", "Dan Oak\r\n", "Eve Stone\r\n"}},
        {"group 6 is not group 60",
         false,
         false,
         "contactGroups/6",
         {"Ann Lee\r\n1 Mill Lane\r\nUpper Flat\r\nHereford\r\nHR1 1AA\r\nUK\r\n", "Dan Oak\r\n"}},
        {"group 60", true, false, "contactGroups/60", {"Bob Ray\r\n"}},
        {"a group nobody is in", false, false, "contactGroups/7", {}},
    };
    for (const auto& c : cases) {
        PeopleResponse::ContactOptions o;
        o.workAddresses = c.work;
        o.formatted = c.formatted;
        o.groupResource = QString::fromLatin1(c.group);
        EXPECT_EQ(allPages(o), c.expected) << c.title;
    }
    EXPECT_EQ(PeopleResponse::ParseConnections(fixture("connections-1.json"), {}).nextPageToken,
              QStringLiteral("page-2"));
}

TEST(PeopleResponse, OddPeopleGiveOneLineNamesOrNothing) {
    const QByteArray body = R"({"connections": [
        {"names": [{"displayName": "Two\nLines"}]},
        {"names": [{"displayName": ""}], "addresses": [{"city": "Nowhere"}]},
        {"names": "not a list"},
        7,
        {"names": [{"displayName": "Pat"}], "addresses": [{"type": "home"}, "x"]}
    ]})";
    const auto p = PeopleResponse::ParseConnections(body, {});
    EXPECT_TRUE(p.ok);
    EXPECT_EQ(p.contacts, (Contacts{"Two Lines\r\n", "Pat\r\n"}));
    EXPECT_FALSE(PeopleResponse::ParseConnections("<?xml version='1.0'?><feed/>", {}).ok);
}

TEST(RedirectListener, RequestsAndPastedTexts) {
    const struct {
        QByteArray head;
        bool valid;
        const char* path;
        const char* code;
        const char* state;
        const char* error;
    } requests[] = {
        {"GET /?state=s1&code=4%2F0Ab-c_d&scope=https%3A%2F%2Fwww.googleapis.com HTTP/1.1\r\n"
         "Host: 127.0.0.1:5000\r\nUser-Agent: x",
         true, "/", "4/0Ab-c_d", "s1", ""},
        {"GET /?error=access_denied&state=s1 HTTP/1.1", true, "/", "", "s1", "access_denied"},
        {"GET /favicon.ico HTTP/1.1", true, "/favicon.ico", "", "", ""},
        {"POST /?code=c&state=s1 HTTP/1.1", false, "", "", "", ""},
        {"GET http://evil/?code=c HTTP/1.1", false, "", "", "", ""},
        {"GET /?code=c&state=s1", false, "", "", "", ""},
        {"", false, "", "", "", ""},
        {"\x16\x03\x01\x02\x00\x01", false, "", "", "", ""},
    };
    for (const auto& r : requests) {
        const auto p = RedirectListener::ParseRequest(r.head);
        EXPECT_EQ(p.valid, r.valid) << r.head.toStdString();
        if (!r.valid)
            continue;
        EXPECT_EQ(p.path, QLatin1String(r.path));
        EXPECT_EQ(p.code, QLatin1String(r.code));
        EXPECT_EQ(p.state, QLatin1String(r.state));
        EXPECT_EQ(p.error, QLatin1String(r.error));
    }

    const struct {
        const char* pasted;
        const char* code;
    } pastes[] = {
        {"4/0Ab-c_d", "4/0Ab-c_d"},
        {"  4/0Ab-c_d\n", "4/0Ab-c_d"},
        {"http://127.0.0.1:5000/?state=s1&code=4%2F0Ab&scope=x", "4/0Ab"},
        {"http://127.0.0.1:5000/?code=4%2F0Ab", "4/0Ab"},
        {"code=4%2F0Ab&state=s1", "4/0Ab"},
        // Another sign-in's answer is no use to this one.
        {"http://127.0.0.1:5000/?state=other&code=4%2F0Ab", ""},
        {"", ""},
    };
    for (const auto& p : pastes)
        EXPECT_EQ(RedirectListener::CodeFromPastedText(QString::fromLatin1(p.pasted),
                                                       QStringLiteral("s1")),
                  QLatin1String(p.code))
            << p.pasted;
}

TEST(Pkce, ChallengeIsTheVerifiersSha256InBase64Url) {
    // The example of RFC 7636, appendix B.
    EXPECT_EQ(Pkce::ChallengeOf(QStringLiteral("dBjftJeZ4CVP-mB92K27uhbUJU1p1r_wW1gFWFOEjXk")),
              QStringLiteral("E9Melhoa2OwvFrEMTJguCHaoeK1t8URWbuGJSstw-cM"));
    const Pkce a = Pkce::Make(), b = Pkce::Make();
    EXPECT_EQ(a.verifier.size(), 43);
    EXPECT_NE(a.verifier, b.verifier);
    EXPECT_EQ(a.challenge, Pkce::ChallengeOf(a.verifier));
    EXPECT_NE(Pkce::RandomState(), Pkce::RandomState());
}
