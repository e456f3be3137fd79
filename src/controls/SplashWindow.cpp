#include "controls/SplashWindow.h"

#include "controls/Artwork.h"
#include "platform/VersionInfo.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QWindow>

namespace {

// Version values are read into buffers of this many characters.
constexpr int kMaxVersionValue = 1023;
constexpr int kInfoTop = 70;
constexpr int kInfoLeft = 30;
constexpr int kInfoRightInset = 21;
constexpr int kStatusTop = 130;
constexpr int kStatusBottom = 160;
constexpr int kStatusRightInset = 10;
// Give the window system this long to show the window before painting it.
constexpr int kExposeWaitMs = 250;

struct SplashState {
    QPointer<CSplashWindow> instance;
    unsigned timeout = 0;
    QString statusText;
    QString companyLine;
    QString versionLine;
    QString legalLine;
    QString commentsLine;
    QString infoFace = QStringLiteral("Arial");
    int infoPoints = 10;
    int infoLineUnit = 10;
    QString statusFace = QStringLiteral("Arial");
    int statusPoints = 9;
    QColor infoColour = QColor(255, 255, 255);
    QColor statusColour = QColor(255, 255, 255);
};

// Lives for the whole process, like the window's remembered texts.
SplashState& state() {
    static SplashState s;
    return s;
}

int infoLineHeight() {
    return state().infoLineUnit * 3 / 2;
}

QString versionValue(const QString& value) {
    return value.left(kMaxVersionValue);
}

// Reads one "%d" the way the C library does: optional white space, an optional sign and at
// least one digit. Returns false when no number is there.
bool scanInt(const QString& text, qsizetype& pos, int& value) {
    while (pos < text.size() && text[pos].isSpace())
        ++pos;
    qsizetype p = pos;
    bool negative = false;
    if (p < text.size() && (text[p] == u'+' || text[p] == u'-')) {
        negative = text[p] == u'-';
        ++p;
    }
    const qsizetype digitsStart = p;
    long long v = 0;
    while (p < text.size() && text[p] >= u'0' && text[p] <= u'9') {
        if (v < 0x7FFFFFFFLL)
            v = v * 10 + (text[p].unicode() - u'0');
        ++p;
    }
    if (p == digitsStart)
        return false;
    if (v > 0x7FFFFFFFLL)
        v = 0x7FFFFFFFLL;
    value = static_cast<int>(negative ? -v : v);
    pos = p;
    return true;
}

void drawLine(QPainter& p, const QRect& rect, const QString& text) {
    if (text.isEmpty())
        return;
    p.save();
    p.setClipRect(rect);
    p.drawText(rect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
    p.restore();
}

} // namespace

CSplashWindow::CSplashWindow(QWidget* parent, QPixmap banner)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint |
                          (parent ? Qt::WindowFlags() : Qt::WindowStaysOnTopHint)),
      bitmap(std::move(banner)) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setCursor(Qt::ArrowCursor);
    setFixedSize(bitmap.size());
    ReadVersionInfo();
    placeCentred(parent);
}

CSplashWindow::~CSplashWindow() {
    if (state().instance == this)
        state().instance = nullptr;
}

CSplashWindow* CSplashWindow::current() {
    return state().instance.data();
}
QString CSplashWindow::statusText() {
    return state().statusText;
}
QString CSplashWindow::companyLine() {
    return state().companyLine;
}
QString CSplashWindow::versionLine() {
    return state().versionLine;
}
QString CSplashWindow::legalLine() {
    return state().legalLine;
}
QString CSplashWindow::commentsLine() {
    return state().commentsLine;
}

QRect CSplashWindow::infoLineRect(int index, int bitmapWidth) {
    const int top = kInfoTop + index * infoLineHeight();
    return QRect(QPoint(kInfoLeft, top),
                 QPoint(bitmapWidth - kInfoRightInset - 1, top + infoLineHeight() - 1));
}

QRect CSplashWindow::statusRect(int bitmapWidth) {
    return QRect(QPoint(kInfoLeft, kStatusTop),
                 QPoint(bitmapWidth - kStatusRightInset - 1, kStatusBottom - 1));
}

void CSplashWindow::ShowSplash(QWidget* parent, std::optional<QString> status, unsigned timeoutMs) {
    SplashState& s = state();
    if (status)
        s.statusText = *status;
    s.timeout = timeoutMs;

    CSplashWindow* splash = s.instance.data();
    if (!splash) {
        QPixmap banner = Artwork::bitmap(Artwork::kBanner);
        if (banner.isNull())
            return;
        splash = new CSplashWindow(parent, std::move(banner));
        s.instance = splash;
    }
    if (s.timeout != 0)
        splash->restartTimer(s.timeout);

    splash->show();
    splash->raise();
    splash->update();
    // The callers pause instead of returning to the event loop, so the window has to be
    // on screen and painted before this returns.
    QCoreApplication::sendPostedEvents(splash);
    if (QWindow* w = splash->windowHandle()) {
        QElapsedTimer waited;
        waited.start();
        while (!w->isExposed() && waited.elapsed() < kExposeWaitMs)
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 10);
    }
    if (s.instance == splash)
        splash->repaint();
}

void CSplashWindow::HideSplash() {
    CSplashWindow* splash = state().instance.data();
    if (!splash)
        return;
    state().instance = nullptr;
    splash->hide();
    // It may be hiding from inside its own timer event.
    splash->deleteLater();
    // Let the windows it covered repaint now rather than when the caller next waits.
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget* w : windows) {
        if (w != splash && w->isVisible() && !w->isMinimized())
            w->repaint();
    }
}

bool CSplashWindow::SplashFilterInput(QObject* /*receiver*/, QEvent* event) {
    if (!state().instance)
        return false;
    switch (event->type()) {
    case QEvent::ShortcutOverride:
        // Keep a shortcut from firing: the key press that follows hides the window.
        event->accept();
        return true;
    case QEvent::KeyPress:
        HideSplash();
        return true;
    case QEvent::MouseButtonPress:
    case QEvent::NonClientAreaMouseButtonPress: {
        const auto button = static_cast<QMouseEvent*>(event)->button();
        if (button != Qt::LeftButton && button != Qt::RightButton && button != Qt::MiddleButton)
            return false;
        HideSplash();
        return true;
    }
    default:
        return false;
    }
}

QString CSplashWindow::VersionText(const QString& productVersion) {
    int numbers[4] = {};
    int n = 0;
    qsizetype pos = 0;
    while (n < 4) {
        if (!scanInt(productVersion, pos, numbers[n]))
            break;
        ++n;
        if (n < 4) {
            if (pos >= productVersion.size() || productVersion[pos] != u',')
                break;
            ++pos;
        }
    }
    QString text;
    for (int i = 0; i < n - 1; ++i) {
        if (text.isEmpty() && numbers[i] == 0)
            continue;
        if (!text.isEmpty())
            text += u'.';
        text += QString::number(numbers[i]);
    }
    return text;
}

void CSplashWindow::ReadVersionInfo() {
    SplashState& s = state();
    const VersionInfo::Block& info = VersionInfo::program();
    if (!info.companyName.isNull())
        s.companyLine = QStringLiteral("By ") + versionValue(info.companyName);
    if (!info.legalCopyright.isNull())
        s.legalLine = versionValue(info.legalCopyright);
    if (!info.comments.isNull())
        s.commentsLine = versionValue(info.comments);
    if (!info.productVersion.isNull())
        s.versionLine = QStringLiteral("Version ") + VersionText(versionValue(info.productVersion));
}

void CSplashWindow::placeCentred(QWidget* owner) {
    QWidget* ownerWindow = owner ? owner->window() : nullptr;
    QScreen* screen = ownerWindow ? ownerWindow->screen() : nullptr;
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    const QRect workArea = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    const QRect over = (ownerWindow && ownerWindow->isVisible() && !ownerWindow->isMinimized())
                           ? ownerWindow->frameGeometry()
                           : workArea;
    int left = over.left() + over.width() / 2 - width() / 2;
    int top = over.top() + over.height() / 2 - height() / 2;
    // Keep the whole banner on the screen.
    left = std::max(workArea.left(), std::min(left, workArea.right() + 1 - width()));
    top = std::max(workArea.top(), std::min(top, workArea.bottom() + 1 - height()));
    move(left, top);
}

void CSplashWindow::restartTimer(unsigned timeoutMs) {
    if (timerId != 0)
        killTimer(timerId);
    timerId = startTimer(static_cast<int>(std::min<unsigned>(timeoutMs, 0x7FFFFFFF)));
}

void CSplashWindow::timerEvent(QTimerEvent* /*event*/) {
    HideSplash();
}

void CSplashWindow::paintEvent(QPaintEvent* /*event*/) {
    const SplashState& s = state();
    QPainter p(this);
    p.drawPixmap(0, 0, bitmap);
    p.setRenderHint(QPainter::TextAntialiasing);

    QFont info(s.infoFace);
    info.setPointSize(s.infoPoints);
    p.setFont(info);
    p.setPen(s.infoColour);
    const QString lines[4] = {s.companyLine, s.versionLine, s.legalLine, s.commentsLine};
    for (int i = 0; i < 4; ++i)
        drawLine(p, infoLineRect(i, bitmap.width()), lines[i]);

    if (!s.statusText.isEmpty()) {
        QFont status(s.statusFace);
        status.setPointSize(s.statusPoints);
        p.setFont(status);
        p.setPen(s.statusColour);
        drawLine(p, statusRect(bitmap.width()), s.statusText);
    }
}
