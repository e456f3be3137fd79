#include "contacts/ui/CEditDetails.h"

#include <QPlainTextEdit>
#include <QPushButton>

namespace {
constexpr int kWidth = 240;
constexpr int kHeight = 137;
} // namespace

CEditDetails::CEditDetails(const QString& text, QWidget* parent)
    : QDialog(parent), template_(this), edit_(new QPlainTextEdit), text_(text) {
    setWindowTitle(text.isEmpty() ? QStringLiteral("New Contact Details")
                                  : QStringLiteral("Edit Contact Details"));
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    edit_->setPlainText(shown);
    edit_->setLineWrapMode(QPlainTextEdit::NoWrap);
    edit_->setTabChangesFocus(true);
    edit_->setAccessibleName(QStringLiteral("Contact details"));
    template_.place(edit_, DetailsEdit, 7, 7, 226, 102);
    auto* ok = template_.place(new QPushButton(QStringLiteral("OK")), OkButton, 129, 116, 50, 14);
    auto* cancel =
        template_.place(new QPushButton(QStringLiteral("Cancel")), CancelButton, 183, 116, 50, 14);
    // OK is the default for the mouse and for Enter outside the field; in the field Enter
    // starts a new line.
    ok->setDefault(true);
    ok->setAutoDefault(false);
    cancel->setAutoDefault(false);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    setFixedSize(template_.size(kWidth, kHeight));
    edit_->setFocus();
}

void CEditDetails::accept() {
    QString taken = edit_->toPlainText();
    taken.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    text_ = taken;
    QDialog::accept();
}
