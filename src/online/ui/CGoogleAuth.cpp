#include "online/ui/CGoogleAuth.h"

#include "online/RedirectListener.h"
#include "platform/Shell.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QUrl>

namespace {
constexpr int kWidth = 283;
constexpr int kHeight = 150;
} // namespace

CGoogleAuth::CGoogleAuth(QString url, RedirectListener& listener, QWidget* parent)
    : QDialog(parent), authUrl(std::move(url)), template_(this), listener_(listener) {
    setWindowTitle(QStringLiteral("Google authorisation"));
    auto* open = template_.place(new QPushButton(QStringLiteral("Open browser")), OpenBrowserButton,
                                 22, 70, 61, 14);
    paste_ = template_.place(new QPushButton(QStringLiteral("Paste and continue")), PasteButton,
                             106, 70, 81, 14);
    auto* cancel =
        template_.place(new QPushButton(QStringLiteral("Cancel")), CancelButton, 211, 70, 50, 14);
    auto* text = template_.place(
        new QLabel(QStringLiteral(
            "Click 'Open browser' to be taken to the Google Authorisation page (you may have to "
            "sign in first, then click 'Allow access'). Click the code in the box and press "
            "Cntrl C to copy. Then return to this window and click the 'Paste' button to "
            "continue.")),
        0, 24, 23, 224, 42);
    text->setWordWrap(true);
    text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    open->setDefault(true);
    open->setAutoDefault(true);
    paste_->setAutoDefault(false);
    cancel->setAutoDefault(false);
    paste_->setEnabled(false);
    connect(open, &QPushButton::clicked, this, &CGoogleAuth::OnOpenBrowser);
    connect(paste_, &QPushButton::clicked, this, &CGoogleAuth::OnPaste);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(&listener_, &RedirectListener::codeReceived, this, [this](const QString& c) {
        code_ = c;
        // Back from the browser: the import goes on in front of the user.
        if (parentWidget()) {
            parentWidget()->window()->raise();
            parentWidget()->window()->activateWindow();
        }
        accept();
    });
    connect(&listener_, &RedirectListener::accessDenied, this, [this] {
        denied_ = true;
        reject();
    });
    setFixedSize(template_.size(kWidth, kHeight));
    open->setFocus();
}

void CGoogleAuth::OnOpenBrowser() {
    // Whether a browser came up or not, the code may still be pasted.
    (void)Shell::open(QUrl(authUrl, QUrl::StrictMode));
    paste_->setEnabled(true);
}

void CGoogleAuth::OnPaste() {
    const QClipboard* clipboard = QGuiApplication::clipboard();
    code_ = RedirectListener::CodeFromPastedText(clipboard ? clipboard->text() : QString(),
                                                 listener_.ExpectedState());
    accept();
}
