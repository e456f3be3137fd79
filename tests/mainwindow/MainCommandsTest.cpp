#include "mainwindow/MainCommands.h"
#include "MainWindowHarness.h"
#include "controls/HoverButton.h"
#include "controls/SplashWindow.h"
#include "mainwindow/ControlIds.h"
#include "mainwindow/HelpWindow.h"
#include "platform/Shell.h"

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

TEST(MainCommands, CommandsWithoutAHandlerStayDisabled) {
    MainWindowHarness h;
    CQuillmarkDlg& dlg = h.open();
    for (int id : {Id::AddNewContact, Id::EditContact, Id::DeleteContact, Id::LoadWindowsContacts})
        EXPECT_FALSE(dlg.isCommandEnabled(id)) << id;
    for (int id :
         {Id::NewContactList, Id::OpenContactList, Id::ShowHelp, Id::AboutQuillmark, Id::Quit,
          Id::SortContactsByLastName, Id::CheckForUpdates, Id::LoadGoogleContacts})
        EXPECT_TRUE(dlg.isCommandEnabled(id)) << id;
}
