#include "controls/SplashWindow.h"
#include "controls/SplashInputFilter.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

namespace {

struct VersionCase {
    const char* productVersion;
    const char* text;
};

class VersionTextTest : public ::testing::TestWithParam<VersionCase> {};

TEST_P(VersionTextTest, DropsTheLastNumberAndLeadingZeros) {
    EXPECT_EQ(CSplashWindow::VersionText(QString::fromLatin1(GetParam().productVersion)),
              QString::fromLatin1(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(
    ProductVersions, VersionTextTest,
    ::testing::Values(VersionCase{"3, 1, 4, 0", "3.1.4"}, VersionCase{"0, 9, 2, 0", "9.2"},
                      VersionCase{"3, 0, 4, 0", "3.0.4"}, VersionCase{"3, 1, 4", "3.1"},
                      VersionCase{"3,1,4,0", "3.1.4"}, VersionCase{"0, 0, 5, 1", "5"},
                      VersionCase{"0, 0, 0, 0", ""}, VersionCase{"7", ""}, VersionCase{"", ""},
                      VersionCase{"10, 20, 30, 40, 50", "10.20.30"},
                      // scanf stops at the first text that does not fit the format.
                      VersionCase{"3 , 1, 4, 0", ""}, VersionCase{"3, x, 4, 0", ""},
                      VersionCase{"2, 5, beta", "2"}, VersionCase{" 1,\t2,  3, 9", "1.2.3"}));

// Counts the near-white pixels of the grabbed window inside a rectangle.
int whitePixels(const QImage& img, const QRect& r) {
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) {
            const QColor c = img.pixelColor(x, y);
            if (c.red() > 235 && c.green() > 235 && c.blue() > 235)
                ++n;
        }
    return n;
}

class Recorder : public QWidget {
public:
    int keys = 0;
    int presses = 0;

protected:
    void keyPressEvent(QKeyEvent*) override { ++keys; }
    void mousePressEvent(QMouseEvent*) override { ++presses; }
};

class SplashTest : public ::testing::Test {
protected:
    void SetUp() override { qApp->installEventFilter(&filter); }
    void TearDown() override {
        CSplashWindow::HideSplash();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        qApp->removeEventFilter(&filter);
    }
    CSplashInputFilter filter;
};

TEST_F(SplashTest, ShowCreatesOneWindowAndLaterCallsUpdateIt) {
    CSplashWindow::ShowSplash(nullptr, QStringLiteral("Starting..."), 0);
    QPointer<CSplashWindow> first = CSplashWindow::current();
    ASSERT_TRUE(first);
    EXPECT_TRUE(first->isVisible());
    EXPECT_EQ(first->size(), QSize(465, 193));
    EXPECT_EQ(CSplashWindow::statusText(), QStringLiteral("Starting..."));

    QWidget owner;
    CSplashWindow::ShowSplash(&owner, QStringLiteral("Loading contacts: friends.csv"), 0);
    EXPECT_EQ(CSplashWindow::current(), first.data());
    EXPECT_EQ(CSplashWindow::statusText(), QStringLiteral("Loading contacts: friends.csv"));
    int splashes = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        splashes += qobject_cast<CSplashWindow*>(w) != nullptr;
    EXPECT_EQ(splashes, 1);

    // No status given keeps the one shown.
    CSplashWindow::ShowSplash(nullptr, std::nullopt, 0);
    EXPECT_EQ(CSplashWindow::statusText(), QStringLiteral("Loading contacts: friends.csv"));
}

TEST_F(SplashTest, InformationLinesComeFromTheVersionBlock) {
    CSplashWindow::ShowSplash(nullptr, QString(), 0);
    EXPECT_EQ(CSplashWindow::companyLine(), QStringLiteral("By Brambleworks"));
    EXPECT_EQ(CSplashWindow::versionLine(), QStringLiteral("Version 3.1.4"));
    EXPECT_FALSE(CSplashWindow::legalLine().isEmpty());
    EXPECT_FALSE(CSplashWindow::commentsLine().isEmpty());
}

TEST_F(SplashTest, LinesArePaintedInTheirRectangles) {
    EXPECT_EQ(CSplashWindow::infoLineRect(0, 465), QRect(QPoint(30, 70), QPoint(443, 84)));
    EXPECT_EQ(CSplashWindow::infoLineRect(3, 465), QRect(QPoint(30, 115), QPoint(443, 129)));
    EXPECT_EQ(CSplashWindow::statusRect(465), QRect(QPoint(30, 130), QPoint(454, 159)));

    CSplashWindow::ShowSplash(nullptr, QString(), 0);
    const QImage withoutStatus = CSplashWindow::current()->grab().toImage();
    for (int i = 0; i < 4; ++i)
        EXPECT_GT(whitePixels(withoutStatus, CSplashWindow::infoLineRect(i, 465)), 0) << i;
    EXPECT_EQ(whitePixels(withoutStatus, CSplashWindow::statusRect(465)), 0);
    // Nothing white to the left of the text column.
    EXPECT_EQ(whitePixels(withoutStatus, QRect(0, 70, 30, 90)), 0);

    CSplashWindow::ShowSplash(nullptr, QStringLiteral("Loading Categories..."), 0);
    const QImage withStatus = CSplashWindow::current()->grab().toImage();
    EXPECT_GT(whitePixels(withStatus, CSplashWindow::statusRect(465)), 0);
}

TEST_F(SplashTest, HideDestroysTheWindowAndDoesNothingWhenNoneIsShown) {
    CSplashWindow::HideSplash();
    EXPECT_EQ(CSplashWindow::current(), nullptr);

    CSplashWindow::ShowSplash(nullptr, QStringLiteral("Starting..."), 0);
    QPointer<CSplashWindow> shown = CSplashWindow::current();
    CSplashWindow::HideSplash();
    EXPECT_EQ(CSplashWindow::current(), nullptr);
    ASSERT_TRUE(shown);
    EXPECT_FALSE(shown->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(shown);

    CSplashWindow::ShowSplash(nullptr, std::nullopt, 0);
    EXPECT_NE(CSplashWindow::current(), nullptr);
}

TEST_F(SplashTest, StatusTextSurvivesHiding) {
    CSplashWindow::ShowSplash(nullptr, QStringLiteral("Loading Categories..."), 0);
    CSplashWindow::HideSplash();
    QWidget owner;
    CSplashWindow::ShowSplash(&owner, std::nullopt, 0);
    EXPECT_EQ(CSplashWindow::statusText(), QStringLiteral("Loading Categories..."));
    const QImage img = CSplashWindow::current()->grab().toImage();
    EXPECT_GT(whitePixels(img, CSplashWindow::statusRect(465)), 0);

    // The About box passes an empty text, which clears it.
    CSplashWindow::ShowSplash(&owner, QString(), 0);
    EXPECT_TRUE(CSplashWindow::statusText().isEmpty());
}

TEST_F(SplashTest, TimeoutHidesTheWindow) {
    CSplashWindow::ShowSplash(nullptr, std::nullopt, 20);
    ASSERT_NE(CSplashWindow::current(), nullptr);
    EXPECT_TRUE(QTest::qWaitFor([] { return CSplashWindow::current() == nullptr; }, 5000));
}

TEST_F(SplashTest, KeyPressHidesTheWindowAndGoesNoFurther) {
    Recorder other;
    other.show();
    CSplashWindow::ShowSplash(&other, QString(), 0);

    QKeyEvent shortcut(QEvent::ShortcutOverride, Qt::Key_O, Qt::ControlModifier);
    QApplication::sendEvent(&other, &shortcut);
    EXPECT_NE(CSplashWindow::current(), nullptr) << "only the press itself hides it";

    QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    QApplication::sendEvent(&other, &press);
    EXPECT_EQ(CSplashWindow::current(), nullptr);
    EXPECT_EQ(other.keys, 0);

    // With no splash window the next key arrives as usual.
    QKeyEvent again(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    QApplication::sendEvent(&other, &again);
    EXPECT_EQ(other.keys, 1);
}

struct MouseCase {
    QEvent::Type type;
    Qt::MouseButton button;
    bool hides;
};

class SplashMouseTest : public SplashTest, public ::testing::WithParamInterface<MouseCase> {};

TEST_P(SplashMouseTest, ButtonPressesHideTheWindowOtherMouseEventsDoNot) {
    const MouseCase c = GetParam();
    Recorder other;
    other.resize(100, 100);
    other.show();
    CSplashWindow::ShowSplash(nullptr, QString(), 0);
    const QPointF at(10, 10);
    QMouseEvent e(c.type, at, other.mapToGlobal(at), c.button, c.button, Qt::NoModifier);
    QApplication::sendEvent(&other, &e);
    EXPECT_EQ(CSplashWindow::current() == nullptr, c.hides);
    if (c.hides) {
        EXPECT_EQ(other.presses, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Events, SplashMouseTest,
    ::testing::Values(MouseCase{QEvent::MouseButtonPress, Qt::LeftButton, true},
                      MouseCase{QEvent::MouseButtonPress, Qt::RightButton, true},
                      MouseCase{QEvent::MouseButtonPress, Qt::MiddleButton, true},
                      MouseCase{QEvent::NonClientAreaMouseButtonPress, Qt::LeftButton, true},
                      MouseCase{QEvent::MouseButtonPress, Qt::BackButton, false},
                      MouseCase{QEvent::MouseButtonRelease, Qt::LeftButton, false},
                      MouseCase{QEvent::MouseMove, Qt::NoButton, false}));

TEST_F(SplashTest, CentredOverItsOwnerAndKeptOnTheScreen) {
    const QRect work = QGuiApplication::primaryScreen()->availableGeometry();
    QWidget owner;
    owner.setGeometry(work.left() + 40, work.top() + 30, 600, 400);
    owner.show();
    CSplashWindow::ShowSplash(&owner, QString(), 0);
    CSplashWindow* splash = CSplashWindow::current();
    const QRect over = owner.frameGeometry();
    EXPECT_EQ(splash->pos(), QPoint(over.left() + over.width() / 2 - 465 / 2,
                                    over.top() + over.height() / 2 - 193 / 2));
    EXPECT_EQ(splash->parentWidget(), &owner);
    EXPECT_FALSE(splash->windowFlags() & Qt::WindowStaysOnTopHint);
    CSplashWindow::HideSplash();

    // An owner hanging off the right of the screen: the banner stays on it.
    owner.move(work.right() - 100, work.top());
    CSplashWindow::ShowSplash(&owner, QString(), 0);
    EXPECT_TRUE(work.contains(CSplashWindow::current()->geometry()));
}

TEST_F(SplashTest, WithoutOwnerItIsTopMostAndCentredOnTheScreen) {
    const QRect work = QGuiApplication::primaryScreen()->availableGeometry();
    CSplashWindow::ShowSplash(nullptr, QString(), 0);
    CSplashWindow* splash = CSplashWindow::current();
    EXPECT_TRUE(splash->windowFlags() & Qt::WindowStaysOnTopHint);
    const QPoint centre = splash->geometry().center();
    EXPECT_LE(std::abs(centre.x() - work.center().x()), 1);
    EXPECT_LE(std::abs(centre.y() - work.center().y()), 1);
}

} // namespace
