#include "contacts/ui/CEditNameDialog.h"

#include <QLineEdit>
#include <QPushButton>

namespace {
constexpr int kWidth = 145;
constexpr int kHeight = 73;
} // namespace

CEditNameDialog::CEditNameDialog(const QString& name, QWidget* parent)
    : QDialog(parent), template_(this), edit_(new QLineEdit(name)) {
    setWindowTitle(QStringLiteral("Edit Category Name"));
    template_.place(edit_, NameEdit, 7, 18, 131, 13);
    edit_->setAccessibleName(QStringLiteral("Category name"));
    auto* ok = template_.place(new QPushButton(QStringLiteral("OK")), OkButton, 20, 48, 50, 14);
    auto* cancel =
        template_.place(new QPushButton(QStringLiteral("Cancel")), CancelButton, 76, 48, 50, 14);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    setFixedSize(template_.size(kWidth, kHeight));
    edit_->selectAll();
    edit_->setFocus();
}

QString CEditNameDialog::name() const {
    return edit_->text();
}
