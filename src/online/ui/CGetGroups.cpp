#include "online/ui/CGetGroups.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>

namespace {
constexpr int kWidth = 248;
constexpr int kHeight = 113;
} // namespace

CGetGroups::CGetGroups(QStringList groups, std::int32_t work, QWidget* parent)
    : QDialog(parent), offeredGroups(std::move(groups)), workAddresses(work), template_(this),
      combo_(new QComboBox), work_(new QCheckBox) {
    setWindowTitle(QStringLiteral("Load Google Contacts"));
    auto* ok = template_.place(new QPushButton(QStringLiteral("OK")), OkButton, 59, 92, 50, 14);
    auto* cancel =
        template_.place(new QPushButton(QStringLiteral("Cancel")), CancelButton, 138, 92, 50, 14);
    template_
        .place(new QLabel(QStringLiteral("Choose which groups you wish to load:")), 0, 24, 14, 205,
               19)
        ->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    template_.place(combo_, GroupCombo, 64, 33, 119, 75);
    // The template's height is the open list's; the closed box is one line high.
    combo_->resize(combo_->width(), combo_->sizeHint().height());
    combo_->setMaxVisibleItems(8);
    work_->setText(QStringLiteral("Load work/business rather than home addresses"));
    template_.place(work_, WorkCheck, 24, 64, 171, 10);
    ok->setDefault(true);
    cancel->setAutoDefault(false);
    connect(ok, &QPushButton::clicked, this, &CGetGroups::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    setFixedSize(template_.size(kWidth, kHeight));

    combo_->addItem(QStringLiteral("All contacts"));
    combo_->addItems(offeredGroups);
    combo_->setCurrentIndex(0);
    work_->setChecked(workAddresses != 0);
    combo_->setFocus();
}

void CGetGroups::accept() {
    selection = combo_->currentIndex();
    workAddresses = work_->isChecked() ? 1 : 0;
    QDialog::accept();
}
