#include "online/UpdateCheck.h"
#include "LoopbackPeer.h"
#include "mainwindow/ControlIds.h"
#include "mainwindow/MainWindowHarness.h"
#include "online/OnlineSettings.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QWindow>
#include <gtest/gtest.h>

namespace {

const QString kNewer = QStringLiteral(
    "There is a newer version available. Please click the globe to visit our website and "
    "download the latest version.");
const QString kLatest = QStringLiteral("You already have the latest version.");
const QString kFailed = QStringLiteral("Sorry, couldn't check. Please make sure you are online.");

// Runs "Check for updates" in a main window whose update address is url and returns the one
// message shown, after checking that it is a plain OK box with the program's caption.
QString checkForUpdates(const QString& url, int stallSeconds = 30) {
    MainWindowHarness h;
    h.store.values[OnlineKey::kUpdateUrl] = url;
    h.store.values[OnlineKey::kStallTimeout] = QString::number(stallSeconds);
    CQuillmarkDlg& dlg = h.open();
    h.prompt.shown.clear();
    EXPECT_TRUE(dlg.isCommandEnabled(Id::CheckForUpdates));
    dlg.runCommand(Id::CheckForUpdates);
    if (h.prompt.shown.size() != 1)
        return QStringLiteral("<%1 messages>").arg(h.prompt.shown.size());
    const ScriptedPrompt::Shown& m = h.prompt.shown[0];
    EXPECT_EQ(m.caption, kAppCaption);
    EXPECT_EQ(m.buttons, Prompt::Buttons::Ok);
    EXPECT_EQ(m.icon, Prompt::Icon::None);
    return m.text;
}

} // namespace

TEST(UpdateCheck, NumberAtTheStartOfTheFirstSevenBytes) {
    const struct {
        const char* file;
        int version;
    } cases[] = {
        {"315", 315},          {"314\n", 314},    {" 315\n", 315},
        {"\r\n\t315", 315},    {"", 0},           {"abc", 0},
        {"12345678", 1234567}, {"+316", 316},     {"-315", -315},
        {"315 and more", 315}, {"       315", 0}, // the digits lie past byte 7
        {"3 15", 3},           {"- 5", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(UpdateCheck::LatestVersion(QByteArray(c.file)), c.version) << c.file;
}

TEST(UpdateCheck, AnswersOfTheVersionFileGiveTheirMessage) {
    LoopbackPeer peer;
    const struct {
        int status;
        const char* body;
        int chunkSize;
        const QString& message;
    } cases[] = {
        {200, "315", 0, kNewer},
        {200, "314", 0, kLatest},
        {200, "313\n", 0, kLatest},
        {200, " 315\n", 0, kNewer},
        {200, "", 0, kLatest},
        {200, "abc", 0, kLatest},
        {200, "12345678", 0, kNewer},
        // The number comes in two pieces; it is judged whole.
        {200, "315", 1, kNewer},
        // An error page is a failure to check, not a version 0.
        {404, "<html><body>Not here</body></html>", 0, kFailed},
        {500, "315", 0, kFailed},
    };
    for (const auto& c : cases) {
        LoopbackPeer::Reply reply;
        reply.status = c.status;
        reply.body = c.body;
        reply.contentType = "text/plain";
        reply.chunkSize = c.chunkSize;
        reply.chunkDelayMs = 50;
        peer.on("/qmk/latest_version.txt", reply);
        EXPECT_EQ(checkForUpdates(peer.url(QStringLiteral("/qmk/latest_version.txt"))), c.message)
            << c.status << " " << c.body;
    }
    EXPECT_EQ(peer.requests.size(), std::size(cases));
    EXPECT_EQ(peer.requests.back().method, "GET");
}

TEST(UpdateCheck, UnreachableOrRefusedAddressesCannotCheck) {
    // A port nobody listens on: take one from a peer, then close it.
    QString closed;
    {
        LoopbackPeer gone;
        closed = gone.url(QStringLiteral("/qmk/latest_version.txt"));
    }
    EXPECT_EQ(checkForUpdates(closed), kFailed);
    // Plain HTTP to another machine is refused before any connection is made.
    EXPECT_EQ(checkForUpdates(QStringLiteral("http://192.0.2.7/qmk/latest_version.txt")), kFailed);
    EXPECT_EQ(checkForUpdates(QStringLiteral("not an address")), kFailed);
}

TEST(UpdateCheck, ServerThatNeverAnswersEndsWithinTheStallTime) {
    LoopbackPeer peer;
    LoopbackPeer::Reply silent;
    silent.silent = true;
    peer.on("/qmk/latest_version.txt", silent);
    QElapsedTimer t;
    t.start();
    EXPECT_EQ(checkForUpdates(peer.url(QStringLiteral("/qmk/latest_version.txt")), 1), kFailed);
    EXPECT_LT(t.elapsed(), 10000);
    EXPECT_EQ(peer.requests.size(), 1u);
}

TEST(UpdateCheck, DefaultAddressIsTheVendorsFileOverHttps) {
    MemorySettingsStore store;
    EXPECT_EQ(OnlineSettings::Read(store).updateUrl,
              QStringLiteral("https://www.brambleworks.co.uk/qmk/latest_version.txt"));
    store.values[QStringLiteral("VendorHost")] = QStringLiteral("labels.example.org");
    EXPECT_EQ(OnlineSettings::Read(store).updateUrl,
              QStringLiteral("https://labels.example.org/qmk/latest_version.txt"));
    const OnlineSettings s = OnlineSettings::Read(store);
    EXPECT_EQ(s.http.connectTimeoutSeconds, 15);
    EXPECT_EQ(s.http.stallTimeoutSeconds, 30);
}

// What the window system does when the user closes a window: a close event to the window.
bool closeFromTheWindowSystem(QWidget& w) {
    QCloseEvent e;
    QCoreApplication::sendEvent(w.windowHandle(), &e);
    return e.isAccepted();
}

TEST(UpdateCheck, WindowIsNotClosedUnderAWaitingCommand) {
    LoopbackPeer peer;
    MainWindowHarness h;
    h.store.values[OnlineKey::kUpdateUrl] = peer.url(QStringLiteral("/qmk/latest_version.txt"));
    CQuillmarkDlg& dlg = h.open();
    dlg.show();
    ASSERT_NE(dlg.windowHandle(), nullptr);
    int closeRequests = 0;
    dlg.closeRequestHook = [&] {
        ++closeRequests;
        return true;
    };
    bool accepted = true;
    peer.on("/qmk/latest_version.txt", [&](const LoopbackPeer::Received&) {
        // The user closes the window while the answer is on its way.
        accepted = closeFromTheWindowSystem(dlg);
        return LoopbackPeer::answer(200, "314");
    });
    h.prompt.shown.clear();
    dlg.runCommand(Id::CheckForUpdates);
    EXPECT_FALSE(accepted);
    EXPECT_EQ(closeRequests, 0);
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_EQ(h.prompt.texts(), QStringList{kLatest});
    // Afterwards the window closes as usual.
    EXPECT_TRUE(closeFromTheWindowSystem(dlg));
    EXPECT_EQ(closeRequests, 1);
}
