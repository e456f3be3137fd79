#pragma once

#include "platform/ui/DialogTemplate.h"

#include <QDialog>
#include <QString>

class QPushButton;
class RedirectListener;

// "Google authorisation": opens Google's consent page in the browser and waits for the
// browser to come back with the code, closing itself as "Paste and continue" would. "Paste
// and continue" takes the code (or the whole address the browser ended on) from the
// clipboard, for a browser on another machine.
class CGoogleAuth : public QDialog {
    Q_OBJECT
public:
    enum Id { OpenBrowserButton = 1158, PasteButton = 1, CancelButton = 2 };

    CGoogleAuth(QString authUrl, RedirectListener& listener, QWidget* parent = nullptr);

    void OnOpenBrowser();
    // The code, after the dialog was accepted.
    QString code() const { return code_; }
    // The user refused access on Google's page.
    bool denied() const { return denied_; }

    QString authUrl;

    QWidget* control(int id) const { return template_.control(id); }
    template <typename T> T* control(int id) const { return qobject_cast<T*>(control(id)); }

private:
    void OnPaste();

    DialogTemplate template_;
    RedirectListener& listener_;
    QPushButton* paste_;
    QString code_;
    bool denied_ = false;
};
