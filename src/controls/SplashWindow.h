#pragma once

#include <QFont>
#include <QPixmap>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <optional>

class QEvent;

// The borderless banner window shown while the program starts and as its About box. At most
// one exists; callers reach it only through the static operations and never hold it.
class CSplashWindow : public QWidget {
    Q_OBJECT
public:
    ~CSplashWindow() override;

    // Shows the window, creating it when none is shown, or updates the one that is. A given
    // status text replaces the remembered one; a timeout of 0 means it stays until hidden.
    static void ShowSplash(QWidget* parent, std::optional<QString> status, unsigned timeoutMs);
    static void HideSplash();
    // True when the event was a key or mouse-button press that hid the window; the
    // application drops such events (see CSplashInputFilter).
    static bool SplashFilterInput(QObject* receiver, QEvent* event);

    // The version text of a "3, 1, 4, 0" style product version: the numbers read, without the
    // last one, joined by "."; leading zeros are dropped ("0, 9, 2, 0" gives "9.2").
    static QString VersionText(const QString& productVersion);

    // What the window shows, for callers that need to look (the window may be gone).
    static CSplashWindow* current();
    static QString statusText();
    static QString companyLine();
    static QString versionLine();
    static QString legalLine();
    static QString commentsLine();

    // Where the lines go on the banner, in pixels from its top-left corner.
    static QRect infoLineRect(int index, int bitmapWidth);
    static QRect statusRect(int bitmapWidth);

protected:
    void paintEvent(QPaintEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    CSplashWindow(QWidget* parent, QPixmap banner);
    void ReadVersionInfo();
    void placeCentred(QWidget* owner);
    void restartTimer(unsigned timeoutMs);

    QPixmap bitmap;
    int timerId = 0;
};
