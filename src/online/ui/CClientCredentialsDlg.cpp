#include "online/ui/CClientCredentialsDlg.h"

#include "platform/Shell.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QUrl>

namespace {
constexpr int kWidth = 283;
constexpr int kHeight = 118;
} // namespace

CClientCredentialsDlg::CClientCredentialsDlg(QWidget* parent)
    : QDialog(parent), template_(this), id_(new QLineEdit), secret_(new QLineEdit) {
    setWindowTitle(QStringLiteral("Google client"));
    auto* text = template_.place(
        new QLabel(QStringLiteral(
                       "To read your contacts, Quillmark needs a client of your own: create an "
                       "OAuth client ID of type \"Desktop app\" in the <a href=\"%1\">Google "
                       "Cloud console</a>, enable the People API for its project, and enter the "
                       "client ID and secret here.")
                       .arg(QString::fromLatin1(kConsoleUrl))),
        0, 12, 10, 259, 34);
    text->setWordWrap(true);
    text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    text->setTextFormat(Qt::RichText);
    text->setTextInteractionFlags(Qt::TextBrowserInteraction);
    // Through the shell, like every other address the program opens.
    connect(text, &QLabel::linkActivated, this,
            [](const QString& link) { (void)Shell::open(QUrl(link)); });

    auto* idLabel = template_.place(new QLabel(QStringLiteral("Client &ID:")), 0, 12, 54, 52, 8);
    template_.place(id_, ClientIdEdit, 66, 52, 205, 12);
    idLabel->setBuddy(id_);
    auto* secretLabel =
        template_.place(new QLabel(QStringLiteral("Client &secret:")), 0, 12, 72, 52, 8);
    template_.place(secret_, ClientSecretEdit, 66, 70, 205, 12);
    secretLabel->setBuddy(secret_);

    ok_ = template_.place(new QPushButton(QStringLiteral("OK")), OkButton, 86, 96, 50, 14);
    auto* cancel =
        template_.place(new QPushButton(QStringLiteral("Cancel")), CancelButton, 146, 96, 50, 14);
    ok_->setDefault(true);
    cancel->setAutoDefault(false);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(id_, &QLineEdit::textChanged, this, &CClientCredentialsDlg::updateOk);
    connect(secret_, &QLineEdit::textChanged, this, &CClientCredentialsDlg::updateOk);
    setTabOrder(id_, secret_);
    setTabOrder(secret_, ok_);
    setTabOrder(ok_, cancel);
    setFixedSize(template_.size(kWidth, kHeight));
    updateOk();
    id_->setFocus();
}

QString CClientCredentialsDlg::clientId() const {
    return id_->text().trimmed();
}

QString CClientCredentialsDlg::clientSecret() const {
    return secret_->text().trimmed();
}

void CClientCredentialsDlg::updateOk() {
    ok_->setEnabled(!clientId().isEmpty() && !clientSecret().isEmpty());
}
