#include "mainwindow/MainCommands.h"
#include "MainWindowHarness.h"
#include "controls/HoverButton.h"
#include "controls/SplashWindow.h"
#include "mainwindow/ControlIds.h"
#include "platform/Shell.h"
#include "platform/ui/HelpWindow.h"

#include <QAbstractButton>
#include <QTextBrowser>
#include <gtest/gtest.h>

TEST(MainCommands, HelpShowsTheGuidesContents) {
    MainWindowHarness h;
    CQuillmarkDlg& dlg = h.open();
    dlg.runCommand(Id::ShowHelp);
    EXPECT_TRUE(h.prompt.shown.empty());
    HelpWindow* help = dlg.mainCommands->helpWindow();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    EXPECT_TRUE(help->browser()->source().toString().endsWith(QStringLiteral("index.html")));
    EXPECT_FALSE(help->browser()->toPlainText().isEmpty());
    EXPECT_EQ(help->windowTitle(), QStringLiteral("Quillmark Help - Contents"));
}

// Without a browser the user is told, for the website and for a help page's web link.
TEST(MainCommands, NoBrowserIsReported) {
    MainWindowHarness h;
    h.store.values[QStringLiteral("VendorHost")] = QStringLiteral("labels.example.org");
    CQuillmarkDlg& dlg = h.open();
    Shell::setOpener([](const QUrl&) { return false; });
    dlg.control<QAbstractButton>(Id::WebsiteButton)->click();
    dlg.runCommand(Id::ShowHelp);
    emit dlg.mainCommands->helpWindow()->browser()->anchorClicked(
        QUrl(QStringLiteral("https://example.org/guide")));
    Shell::setOpener({});
    EXPECT_EQ(h.prompt.texts(),
              (QStringList{QStringLiteral("Sorry, couldn't open http://labels.example.org/: no web "
                                          "browser could be started."),
                           QStringLiteral("Sorry, couldn't open https://example.org/guide: no web "
                                          "browser could be started.")}));
}

TEST(MainCommands, MissingGuideIsReported) {
    HelpWindow help;
    EXPECT_FALSE(help.ShowContents(QStringLiteral("/nonexistent/help")));
}

TEST(MainCommands, WebsiteOpensTheHomePageAndAboutShowsTheBanner) {
    MainWindowHarness h;
    h.store.values[QStringLiteral("VendorHost")] = QStringLiteral("labels.example.org");
    CQuillmarkDlg& dlg = h.open();
    QList<QUrl> opened;
    Shell::setOpener([&](const QUrl& u) {
        opened << u;
        return true;
    });
    dlg.control<QAbstractButton>(Id::WebsiteButton)->click();
    Shell::setOpener({});
    EXPECT_EQ(opened, QList<QUrl>{QUrl(QStringLiteral("http://labels.example.org/"))});
    EXPECT_EQ(dlg.control<CHoverButton>(Id::WebsiteButton)->toolTipText(),
              QStringLiteral("Visit labels.example.org"));

    dlg.runCommand(Id::AboutQuillmark);
    EXPECT_NE(CSplashWindow::current(), nullptr);
    EXPECT_EQ(CSplashWindow::statusText(), QString());
    CSplashWindow::HideSplash();
}

TEST(MainCommands, CommandsWithoutARuleAreEnabled) {
    MainWindowHarness h;
    CQuillmarkDlg& dlg = h.open();
    for (int id : {Id::NewContactList, Id::OpenContactList, Id::ShowHelp, Id::AboutQuillmark,
                   Id::Quit, Id::SortContactsByLastName, Id::CheckForUpdates,
                   Id::LoadGoogleContacts, Id::LoadWindowsContacts})
        EXPECT_TRUE(dlg.isCommandEnabled(id)) << id;
}
