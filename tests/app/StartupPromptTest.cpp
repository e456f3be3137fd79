#include "DialogDriver.h"
#include "app/ui/CQuillmarkApp.h"
#include "controls/SplashWindow.h"
#include "platform/ui/QtPrompt.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <gtest/gtest.h>

// A warning during start-up (a damaged category store, a missing contact list) must not lie
// hidden under the splash window, where the program looks hung and the first key press
// only hides the splash.
TEST(StartupPrompt, MessagesHideTheSplashAndBelongToTheMainWindow) {
    QtPrompt qt;
    CQuillmarkApp::PrepareDesktop(qt);
    QWidget mainWindow;
    qt.setFallbackOwner(&mainWindow);
    CSplashWindow::ShowSplash(nullptr, QStringLiteral("Loading Categories..."), 0);
    ASSERT_TRUE(CSplashWindow::current() && CSplashWindow::current()->isVisible());

    bool splashVisible = true;
    QWidget* owner = nullptr;
    bool hasIcon = false;
    DialogDriver driver;
    driver.then<QMessageBox>([&](QMessageBox* box) {
        splashVisible = CSplashWindow::current() && CSplashWindow::current()->isVisible();
        owner = box->parentWidget();
        hasIcon = !box->windowIcon().isNull();
        box->button(QMessageBox::Ok)->click();
    });
    showMessage(QStringLiteral("The category file is damaged."));
    setPrompt(nullptr);
    ASSERT_TRUE(driver.finished()) << driver.failure().toStdString();
    EXPECT_FALSE(splashVisible);
    EXPECT_EQ(owner, &mainWindow);
    EXPECT_TRUE(hasIcon);
    CSplashWindow::HideSplash();
}
